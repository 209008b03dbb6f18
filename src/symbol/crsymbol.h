// The symbol preview beside a wizard page: the variation's symbol in a framed
// box with a drop shadow, and under it the resource-usage estimate.
#pragma once

#include <functional>

#include "symbol/crsymbol_outline.h"
#include "toolkit/crdecorator.h"

class CRSYMBOL : public CRDECORATOR {
public:
    static constexpr COLORREF BACKGROUND_COLOR = 0xE1E1E1;
    static constexpr COLORREF OUTLINE_COLOR = 0xFFFFFF;
    static constexpr COLORREF DARK_LINE_COLOR = 0x7F7F7F;
    static constexpr COLORREF LIGHT_LINE_COLOR = 0xD9D9D9;
    static constexpr int SHADOW_OFFSET = 8;
    static constexpr int INFO_OUTLINE_MIN_WIDTH = 160;
    static constexpr const char* RESOURCE_TITLE = "  Resource Usage  ";

    // Draws the current symbol into the (cleared) symbol outline.
    using SYMBOL_UPDATER = std::function<void(CRSYMBOL_OUTLINE*)>;

    explicit CRSYMBOL(UINT resource_id = 0, CRDECORATOR_WIZARD* wizard = nullptr);
    ~CRSYMBOL() override;

    void set_symbol_updater(SYMBOL_UPDATER updater) { m_updater = std::move(updater); }
    // The ";"-separated resource items of the last estimate.
    void set_resource_text(const CString& text) {
        m_resource_text = text;
        m_has_resource_text = true;
    }
    void clear_resource_text() {
        m_resource_text.Empty();
        m_has_resource_text = false;
    }
    const CString& get_resource_text() const { return m_resource_text; }
    bool has_resource_text() const { return m_has_resource_text; }

    CRSYMBOL_OUTLINE* get_symbol_outline() const { return m_symbol_outline; }
    CRSYMBOL_OUTLINE* get_info_outline() const { return m_info_outline; }

    void add_controls() override;
    // Rebuilds both outlines: the symbol through the updater, the info box
    // from the resource text.
    void update_controls() override;
    // Background, separator lines and the shadow behind the symbol outline.
    void paint(CDC* dc) override;

private:
    void fill_info_outline(int width);

    CRSYMBOL_OUTLINE* m_symbol_outline = nullptr;
    CRSYMBOL_OUTLINE* m_info_outline = nullptr;
    CString m_resource_text;
    bool m_has_resource_text = false;
    SYMBOL_UPDATER m_updater;
};
