// The plain files of one folder whose names match a wildcard pattern. Names and
// patterns are byte strings in the ANSI code page, compared byte by byte; "*" is any run
// of bytes, "?" exactly one byte, and a pattern covers the whole name.
#pragma once

#include <string>
#include <vector>

// Appends to names, in the order the system lists them, the bare names of the folder's
// entries that match the pattern, are no folders and do not begin with ".". folder is
// relative to the current directory with "\" as separator. Returns -1 (nothing appended)
// when the folder cannot be opened, else 0.
int ListFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& names);

// Whether the whole name matches the whole pattern, the letters A to Z of both compared
// without regard to case.
bool WildcardMatch(const std::string& pattern, const std::string& name);

// Whether the tokens from index first on (pieces and the one-byte wildcards "*" and "?")
// match the name from position to its end. An empty piece consumes nothing, also at the
// end of the name, so a pattern that ends with "*" matches what it should.
bool MatchTokens(const std::vector<std::string>& tokens, size_t first, const std::string& name,
                 size_t position);
