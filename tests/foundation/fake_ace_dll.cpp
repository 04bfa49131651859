// A stand-in ACE.dll: only its file name and folder matter to the tests.
extern "C" int tw_fake_ace_marker() {
    return 1;
}
