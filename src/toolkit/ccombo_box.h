// Combo boxes: plain, value-notifying (text, numeric, with item data, with
// icons) and the radix chooser of an integer field.
#pragma once

#include <vector>

#include "platform/controls.h"
#include "toolkit/ccontrol.h"
#include "toolkit/crvalue_notifier.h"

class CCOMBO_BOX : public CComboBox, public CCONTROL {
public:
    CString get_ui_delegate_class_id() const override { return "CCOMBO_BOX_UI_DELEGATE"; }
    CCOMBO_BOX();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    void on_attach_control() override;
    // The kind a created combo box gets (CBS_DROPDOWNLIST unless changed).
    void set_combo_style(DWORD style) { m_combo_style = style; }

protected:
    DWORD m_combo_style = CBS_DROPDOWNLIST;
};

// Keeps the value as text: the selected item's text for a drop-down list,
// the edit field's text for a combo box with one.
class CRCOMBO_BOX : public CCOMBO_BOX, public CRVALUE_NOTIFIER {
public:
    // A drop-down list selects the item with exactly this text (nothing
    // happens when there is none) and raises code 1; a combo box with an edit
    // field shows the text and raises code 5.
    virtual void set_value(const CString& text);
    virtual void set_value_no_notify(const CString& text);
    // Selects item i, or item 0 when there is no item i, and raises code 1.
    virtual void set_cur_sel(int index);
    // Selects the item with the text, else the one with the fallback text;
    // its index, or -1 (nothing changed) when neither exists.
    virtual int set_cur_sel(const CString& text, const CString& fallback);
    virtual CString get_val_string() const { return m_value; }
    virtual CString get_prev_val_string() const { return m_prev_value; }
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    void on_ddx_value(SAVE_CHECK_MODE mode, CString& text) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    CString m_value;
    CString m_prev_value;
};

// Items and values are decimal integers; only digits can be typed.
class CRCOMBO_BOX_NUMERIC : public CRCOMBO_BOX {
public:
    using CRCOMBO_BOX::set_value_no_notify;
    virtual void set_val(int value);
    virtual void set_value_no_notify(int value);
    virtual int add_item(int value);
    virtual int get_val_int() const;
    virtual int get_prev_val_int() const;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
};

class CRCOMBO_BOX_WITH_ITEM_DATA : public CRCOMBO_BOX {
public:
    // The new item's index, or -1 when the list refuses the text.
    virtual int add_item(const CString& text, unsigned long data);
};

// Items with an icon index into the control's image list (owner-drawn).
class CRCOMBO_BOX_WITH_ICON : public CRCOMBO_BOX_WITH_ITEM_DATA {
public:
    using CRCOMBO_BOX_WITH_ITEM_DATA::add_item;
    virtual int add_item(const CString& text, int icon_index, unsigned long data);
    // The data of the item with exactly this text, or 0.
    virtual unsigned long get_item_data(const CString& text) const;
    virtual CString get_item_text(int index) const;
    virtual int get_item_icon_index(int index) const;
    virtual void reset_contents();
    void set_image_list(CImageList* images) { m_images = images; }
    CImageList* get_image_list() const { return m_images; }

private:
    CImageList* m_images = nullptr;
    std::vector<int> m_icon_indexes;
};

// Chooses the radix of its buddy integer field among four labels.
class CCOMBOBOX_RADIX : public CComboBox, public CCONTROL {
public:
    CString get_ui_delegate_class_id() const override { return "CCOMBO_BOX_UI_DELEGATE"; }
    static constexpr int RADIX_COUNT = 4;

    CCOMBOBOX_RADIX();
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    void update_state(UINT message, UINT notify_code, WPARAM wParam, LPARAM lParam) override;
    void on_attach_control() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void set_buddy(CWnd* buddy) { m_buddy = buddy; }
    CWnd* get_buddy() const { return m_buddy; }
    int get_radix() const { return m_radix; }
    // Selects the label of the radix and tells the buddy; false for a radix
    // that is not offered.
    bool set_radix(int radix);
    static int radix_of_label_index(int index);
    static CString get_radix_label(int index);

protected:
    void fill_labels();
    void send_radix_to_buddy();

    CWnd* m_buddy = nullptr;
    int m_radix = 10;
    CString m_labels[RADIX_COUNT];
};
