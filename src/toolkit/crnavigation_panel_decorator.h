// The navigation panel at the top of every page (with the "NAV" option): a
// logo, the title and subtitle, the page groups as flat buttons with the
// current group's pages as sub-buttons, and the About and Documentation
// buttons. A click asks the wizard to show a page; the panel never changes
// pages itself.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/cbutton.h"
#include "toolkit/crdecorator.h"
#include "toolkit/crflat_menu_item.h"
#include "toolkit/crstatic.h"

// The logo at the left of the navigation panel: the image file the wizard
// names when it is a readable image, else the program's own drawn mark.
class CRNAV_LOGO : public CRSTATIC {
public:
    static constexpr int SIZE = 44;
    static constexpr int MAX_IMAGE_WIDTH = 160;
    // "" or an unreadable file keeps the drawn mark.
    void set_image_file(const CString& path);
    const CString& get_image_file() const { return m_image_file; }
    void paint(CDC* dc) override;

protected:
    bool is_custom_drawn() const override { return true; }

private:
    CString m_image_file;
};

class CRNAVIGATION_PANEL_DECORATOR : public CRDECORATOR {
public:
    static constexpr UINT MAIN_PANEL_ID = 31;
    static constexpr UINT STD_BUTTONS_PANEL_RESOURCE_ID = 58;
    static constexpr UINT TITLE_ID = 50;
    static constexpr UINT SUBTITLE_ID = 51;
    static constexpr UINT ABOUT_BUTTON_ID = 52;
    static constexpr UINT HELP_BUTTON_ID = 53;
    static constexpr UINT LOGO_ID = 54;
    static constexpr UINT NAV_BUTTONS_PANEL_ID = 55;
    static constexpr UINT TITLES_PANEL_ID = 56;
    static constexpr int STD_BUTTON_GAP_SIZE = 3;
    static constexpr CSize STD_BUTTON_DIMS{56, 22};
    // Set at start-up.
    static UINT ITEM_RESOURCE_ID_BASE;
    static CRect STD_BUTTON_MARGIN;
    static CRect GRADIENT_PANEL_INSETS;
    static CRect LOGO_BITMAP_MARGIN;
    static CRect TITLE_MARGIN;
    static CRect SUBTITLE_MARGIN;
    static CRect NAV_ITEM_MARGIN;

    struct NAV_ITEM_INFO {
        CString item_id;
        CString label;
        CString description;
        bool shown = false;      // the item of the current page's group
        bool selected = false;   // the current page's own item
        bool expanded = true;    // its sub-items are shown as buttons
        bool as_buttons = true;  // sub-items may be drawn as buttons
        NAV_ITEM_INFO* parent = nullptr;
        CString page_id;
        int counter = 0;
        std::vector<std::unique_ptr<NAV_ITEM_INFO>> sub_items;
    };

    explicit CRNAVIGATION_PANEL_DECORATOR(CRDECORATOR_WIZARD* wizard);
    ~CRNAVIGATION_PANEL_DECORATOR() override;

    void add_controls() override;
    // Gives title, subtitle and buttons the active theme's fonts and colours.
    void on_panel_created() override;
    void on_action_performed(CRABSTRACT_EVENT* event) override;

    // The item structure from the wizard's pages.
    virtual void setup_navigation_buttons_data_structure();
    // A blank parent id adds nothing.
    virtual void add_nav_item(const CString& parent_id, const CString& label, const CString& page_id);
    virtual void determine_nav_item_states();
    virtual void create_navigation_buttons();
    virtual void create_logo_titles_std_butons_panel();
    const std::vector<std::unique_ptr<NAV_ITEM_INFO>>& get_nav_items() const { return m_items; }
    // The page a navigation button with that control id leads to ("" when none).
    CString get_page_id_of_button(UINT id) const;
    const CRNAV_LOGO* get_logo() const { return m_logo.get(); }

    UINT get_next_available_resource_id() { return m_next_resource_id++; }
    void reset_available_resource_id() { m_next_resource_id = ITEM_RESOURCE_ID_BASE; }


private:
    NAV_ITEM_INFO* find_top_item(const CString& id);
    CRFLAT_MENU_ITEM* make_item(const NAV_ITEM_INFO& item, CRFLAT_MENU_ITEM::LEVEL level, int mark);

    std::vector<std::unique_ptr<NAV_ITEM_INFO>> m_items;
    // Button id -> the item it stands for.
    std::vector<std::pair<UINT, NAV_ITEM_INFO*>> m_button_items;
    std::vector<std::unique_ptr<CRFLAT_MENU_ITEM>> m_nav_buttons;
    // A row or column of the panel; its buttons' clicks go on to the decorator.
    class ROW_PANEL : public CPANEL {
    public:
        ROW_PANEL(UINT id, LAYOUT_DIRECTION direction, CRNAVIGATION_PANEL_DECORATOR* owner)
            : CPANEL(id, direction), m_owner(owner) {
            set_listening(true);
        }
        void on_action_performed(CRABSTRACT_EVENT* event) override { m_owner->on_action_performed(event); }

    private:
        CRNAVIGATION_PANEL_DECORATOR* m_owner;
    };

    std::unique_ptr<ROW_PANEL> m_nav_buttons_panel;
    std::unique_ptr<ROW_PANEL> m_titles_panel;
    std::unique_ptr<ROW_PANEL> m_std_buttons_panel;
    std::unique_ptr<CRNAV_LOGO> m_logo;
    std::unique_ptr<CRSTATIC> m_title;
    std::unique_ptr<CRSTATIC> m_subtitle;
    std::unique_ptr<CBUTTON> m_about;
    std::unique_ptr<CBUTTON> m_help;
    UINT m_next_resource_id;
};

CRNAVIGATION_PANEL_DECORATOR* build_navigation_panel_decorator(CRDECORATOR_WIZARD* wizard);
