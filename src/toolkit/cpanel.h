// The container control: a static that owns an ordered list of entries
// (controls, nested panels, fixed and stretchable spacers), lays them out
// along one axis and moves their windows inside the dialog that hosts it.
#pragma once

#include <vector>

#include "support/bwizc_collections.h"
#include "toolkit/crstatic.h"

class CPANEL : public CRSTATIC {
public:
    enum LAYOUT_DIRECTION { HORIZONTAL = 0, VERTICAL = 1 };
    // Cross-axis placement: RIGHT counts in vertical panels, BOTTOM in
    // horizontal ones, CENTER in both; anything else keeps the near edge.
    enum CONTROL_ALIGNMENT { ALIGN_NONE = 0, ALIGN_LEFT = 1, ALIGN_RIGHT = 2, ALIGN_TOP = 3, ALIGN_BOTTOM = 4, ALIGN_CENTER = 5 };
    enum ENTRY_KIND { ENTRY_CONTROL = 0, ENTRY_PANEL = 1, ENTRY_RIGID = 2, ENTRY_GEL = 3 };
    // The control id every gel entry gives the shared gel window.
    static constexpr UINT GEL_RESOURCE_ID = 99;

    struct CCONTROL_INFO {
        std::uint32_t kind = ENTRY_CONTROL;
        std::int32_t rigid_width = 0;
        std::int32_t rigid_height = 0;
        CRUI_ELEMENT* element = nullptr;  // the gel window for gel entries, none for rigid ones
        std::uint32_t resource_id = 0;
        std::uint32_t style = 0;
        CONTROL_ALIGNMENT alignment = ALIGN_NONE;
    };

    CPANEL(UINT resource_id, LAYOUT_DIRECTION direction);
    ~CPANEL() override;

    // Creates the panel's window, then the windows of its entries that have
    // none yet (controls and gel as siblings of the panel, nested panels as
    // its children), each attached with the panel as its listener.
    BOOL create_element(UINT id, const CRect& rect, CWnd* parent, CWnd* owner, DWORD style) override;
    // The extent of the entries one after another plus the insets; fills the
    // entry rectangles.
    CSize get_preferred_size() override;
    CString get_ui_delegate_class_id() const override { return "CPANEL_UI_DELEGATE"; }
    void on_attach_control() override;
    // Creates the panel at its creation rectangle inside a dialog.
    virtual BOOL create_in_dlg(CWnd* dialog);
    virtual void add_control(UINT resource_id, CCONTROL* control, DWORD style, CONTROL_ALIGNMENT alignment);
    virtual void add_panel(UINT resource_id, CPANEL* panel, DWORD style, CONTROL_ALIGNMENT alignment);
    // Fixed space along the layout axis.
    virtual void add_rigid_block(int extent);
    // Space that takes the whole surplus of the panel's size.
    virtual void add_gel_block();
    virtual void add_gel_block(COLORREF color);
    void set_size(const CSize& size) override;
    virtual void on_size_set() {}
    virtual const BWIZC_ARRAY<CCONTROL_INFO*>& get_controls_list() const { return m_controls; }
    virtual UINT get_resource_id() const { return m_resource_id; }
    virtual void set_resource_id(UINT id) { m_resource_id = id; }
    virtual LAYOUT_DIRECTION get_layout_direction() const { return m_direction; }
    virtual void set_layout_direction(LAYOUT_DIRECTION direction) { m_direction = direction; }
    virtual void set_insets(const CRect& insets) { m_insets = insets; }
    virtual CRect get_inset() const { return m_insets; }
    // Hooks of the panels built from code (decorators, symbol panels).
    virtual void add_controls() {}
    virtual void update_controls() {}
    // Frees every entry. Nested panels' windows and the gel window are
    // destroyed; plain controls' windows only when destroy_controls is set.
    virtual void remove_all_controls(bool first_flag, bool destroy_controls);
    // Places every entry, with panel coordinates shifted by origin.
    virtual void do_layout(const CPoint& origin);
    void do_layout(const CRect& rect) override { do_layout(rect.TopLeft()); }
    virtual void on_panel_created() {}
    void on_action_performed(CRABSTRACT_EVENT* event) override { (void)event; }
    void paint(CDC* dc) override;

    // The entry rectangles of the last get_preferred_size, in entry order.
    const std::vector<CRect>& get_entry_rects() const { return m_entry_rects; }
    CRSTATIC* get_gel_window() const { return m_gel; }

protected:
    bool is_custom_drawn() const override { return true; }

private:
    CRSTATIC* gel_window();

    LAYOUT_DIRECTION m_direction;
    CRect m_insets;
    UINT m_resource_id;
    BWIZC_ARRAY<CCONTROL_INFO*> m_controls;
    std::vector<CRect> m_entry_rects;
    CRSTATIC* m_gel = nullptr;
};
