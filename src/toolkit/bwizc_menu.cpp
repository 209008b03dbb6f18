#include "toolkit/bwizc_menu.h"

#include <utility>

#include "support/bwizc_global.h"

namespace {
BWIZC_MENU::LAUNCHER& launcher() {
    static BWIZC_MENU::LAUNCHER l;
    return l;
}
}  // namespace

BWIZC_MENU::LAUNCHER BWIZC_MENU::set_launcher(LAUNCHER l) { return std::exchange(launcher(), std::move(l)); }

void BWIZC_MENU::add_item(const CString& label, const CString& target, bool enabled) {
    ENTRY entry;
    entry.id = m_next_id++;
    entry.label = label;
    entry.target = target;
    CString trimmed = target;
    trimmed.Trim();
    entry.enabled = enabled && !trimmed.IsEmpty();
    m_entries.push_back(std::move(entry));
}

void BWIZC_MENU::add_action(const CString& label, std::function<void()> action) {
    ENTRY entry;
    entry.id = m_next_id++;
    entry.label = label;
    entry.action = std::move(action);
    m_entries.push_back(std::move(entry));
}

void BWIZC_MENU::add_separator() {
    if (m_entries.empty() || m_entries.back().is_separator()) return;
    m_entries.push_back(ENTRY());
}

void BWIZC_MENU::append(const BWIZC_MENU& other) {
    if (other.m_entries.empty()) return;
    add_separator();
    for (const ENTRY& entry : other.m_entries) {
        if (entry.is_separator()) {
            add_separator();
            continue;
        }
        ENTRY copy = entry;
        copy.id = m_next_id++;
        m_entries.push_back(std::move(copy));
    }
}

void BWIZC_MENU::remove_all() {
    m_entries.clear();
    m_next_id = 1;
}

CString BWIZC_MENU::describe() const {
    CString text;
    for (const ENTRY& entry : m_entries) {
        if (!text.IsEmpty()) text += "|";
        text += entry.is_separator() ? CString("-") : entry.label;
    }
    return text;
}

const BWIZC_MENU::ENTRY* BWIZC_MENU::track(const CPoint& at, bool upward, CWnd* owner) {
    BWIZC_POPUP_MENU popup;
    popup.at = at;
    popup.upward = upward;
    popup.owner = owner;
    // A trailing separator is never shown.
    size_t count = m_entries.size();
    while (count > 0 && m_entries[count - 1].is_separator()) --count;
    for (size_t i = 0; i < count; ++i) {
        popup.entries.push_back({m_entries[i].id, m_entries[i].label, m_entries[i].enabled});
    }
    const UINT chosen = bwizc_track_popup_menu(popup);
    for (const ENTRY& entry : m_entries) {
        if (chosen == 0 || entry.id != chosen) continue;
        if (entry.action) {
            entry.action();
        } else if (launcher()) {
            launcher()(entry.target);
        } else {
            bwizc_global_launch_browser(entry.target);
        }
        return &entry;
    }
    return nullptr;
}
