// A navigation button of the navigation panel, drawn flat in every look.
// Its window's check state tells what it stands for: BST_CHECKED for the
// page shown, BST_INDETERMINATE for the group of the page shown, otherwise
// BST_UNCHECKED.
#pragma once

#include "toolkit/cbutton.h"

class CRFLAT_MENU_ITEM : public CBUTTON {
public:
    enum LEVEL { TOP_ITEM, SUB_ITEM };
    static constexpr int HEIGHT = 22;
    static constexpr int TEXT_PADDING = 7;

    explicit CRFLAT_MENU_ITEM(LEVEL level);
    LEVEL get_level() const { return m_level; }
    void set_mark(int state);
    int get_mark() const { return m_mark; }
    // Wide enough for the label in the font the item is drawn with.
    CSize get_text_fit_size(const LOGFONT& font) const;
    void on_attach_control() override;
    CString get_ui_delegate_class_id() const override { return "CRFLAT_MENU_ITEM_UI_DELEGATE"; }

private:
    LEVEL m_level;
    int m_mark = BST_UNCHECKED;
};
