// The wizard's help menu: labelled entries that open a document (a URL or
// a file) or run an action of the wizard's, popped up at a button.
#pragma once

#include <functional>
#include <vector>

#include "platform/cstring.h"
#include "platform/menu.h"

class BWIZC_MENU {
public:
    struct ENTRY {
        UINT id = 0;  // 0: a separator
        CString label;
        CString target;  // what the entry opens, when it has no action
        std::function<void()> action;
        bool enabled = true;
        bool is_separator() const { return id == 0; }
    };
    // Opens a document; the default is bwizc_global_launch_browser.
    using LAUNCHER = std::function<bool(const CString& target)>;

    // An entry without a target is shown greyed.
    void add_item(const CString& label, const CString& target, bool enabled = true);
    void add_action(const CString& label, std::function<void()> action);
    // A separator between entries: never first, last or doubled.
    void add_separator();
    // Appends the entries of another menu (a separator before them when both
    // have entries).
    void append(const BWIZC_MENU& other);
    void remove_all();
    const std::vector<ENTRY>& get_entries() const { return m_entries; }
    // The labels in order, "-" for a separator (for messages and tests).
    CString describe() const;

    // Pops the menu up at a screen point (opening upward: the point is its
    // lower-left corner) and carries out the chosen entry. Returns it, or
    // null when the menu was dismissed.
    const ENTRY* track(const CPoint& at, bool upward, CWnd* owner);

    static LAUNCHER set_launcher(LAUNCHER launcher);

private:
    std::vector<ENTRY> m_entries;
    UINT m_next_id = 1;
};
