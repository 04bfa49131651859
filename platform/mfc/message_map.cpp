#include "platform/mfc/message_map.h"

#include <type_traits>

namespace {

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, UINT code, UINT id) {
    return entry.nMessage == message && entry.nCode == code && entry.nID == id;
}

// Calls the row's member function in the form of its call; the message's result.
LRESULT Call(CCmdTarget& target, const AfxHandler& handler, LPARAM lParam) {
    return std::visit(
        [&](auto pmf) -> LRESULT {
            using P = decltype(pmf);
            if constexpr (std::is_same_v<P, AFX_PMSG_VOID>) {
                (target.*pmf)();
                return 0;
            } else if constexpr (std::is_same_v<P, AFX_PMSG_NOTIFY>) {
                LRESULT result = 0;
                (target.*pmf)(reinterpret_cast<NMHDR*>(lParam), &result);
                return result;
            } else if constexpr (std::is_same_v<P, AFX_PMSG_QUERYICON>) {
                return reinterpret_cast<LRESULT>((target.*pmf)());
            } else {
                return (target.*pmf)();
            }
        },
        handler);
}

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    static const AFX_MSGMAP map{nullptr, {}};
    return &map;
}

bool CCmdTarget::DispatchMessageMap(UINT message, UINT code, UINT id, LPARAM lParam,
                                    LRESULT* result) {
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr; map = map->baseMap) {
        for (const AFX_MSGMAP_ENTRY& entry : map->entries) {
            if (Matches(entry, message, code, id)) {
                *result = Call(*this, entry.handler, lParam);
                return true;
            }
        }
    }
    return false;
}
