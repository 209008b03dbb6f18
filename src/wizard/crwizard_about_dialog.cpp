#include "wizard/crwizard_about_dialog.h"

#include <algorithm>

#include "platform/text_metrics.h"

namespace {
// Dialog units: the box's text width and one text line's height.
constexpr int TEXT_WIDTH = 210;
constexpr int LINE_HEIGHT = 10;
constexpr int MARGIN = 8;
}  // namespace

std::vector<std::pair<UINT, CString>> CRWIZARD_ABOUT_DIALOG::make_lines(const TEXTS& t) {
    std::vector<std::pair<UINT, CString>> lines;
    lines.emplace_back(IDC_ABOUT_TITLE, t.title.IsEmpty() ? CString("Configuration wizard") : t.title);
    if (!t.subtitle.IsEmpty()) lines.emplace_back(IDC_ABOUT_SUBTITLE, t.subtitle);
    if (!t.version.IsEmpty() || !t.short_version.IsEmpty()) {
        CString version = "Blockwright Plug-In Manager version " + (t.version.IsEmpty() ? t.short_version : t.version);
        if (!t.version.IsEmpty() && !t.short_version.IsEmpty() && t.short_version != t.version) {
            version += " (" + t.short_version + ")";
        }
        lines.emplace_back(IDC_ABOUT_VERSION, version);
    }
    if (!t.build_date.IsEmpty()) lines.emplace_back(IDC_ABOUT_BUILD_DATE, "Build date: " + t.build_date);
    if (!t.copyright.IsEmpty()) lines.emplace_back(IDC_ABOUT_COPYRIGHT, t.copyright);
    return lines;
}

CRWIZARD_ABOUT_DIALOG::CRWIZARD_ABOUT_DIALOG(const TEXTS& texts, CWnd* parent) {
    m_template.id = TEMPLATE_ID;
    m_template.caption = "About " + (texts.title.IsEmpty() ? CString("the wizard") : texts.title);
    const LOGFONT font = bwizc_make_logfont(m_template.font_face.c_str(), m_template.font_points, false);
    const CSize units = bwizc_dialog_base_units(font);
    const int width_px = TEXT_WIDTH * units.cx / 4;
    int y = MARGIN;
    for (const auto& [id, text] : make_lines(texts)) {
        // A long text (a copyright notice) wraps: one line height per line
        // its words need, with a little slack for the breaks.
        int lines = 0;
        CString rest = text;
        while (true) {
            const int end = rest.Find('\n');
            const int extent = bwizc_text_extent(font, end < 0 ? rest : rest.Left(end)).cx * 11 / 10;
            lines += std::max(1, (extent + width_px - 1) / std::max(1, width_px));
            if (end < 0) break;
            rest = rest.Mid(end + 1);
        }
        const int height = std::max(1, lines) * LINE_HEIGHT + (id == IDC_ABOUT_TITLE ? 4 : 0);
        m_template.items.push_back(BWIZC_DIALOG_ITEM::ltext(id, text, MARGIN, y, TEXT_WIDTH, height, SS_LEFT | SS_NOPREFIX));
        y += height + 3;
    }
    y += 4;
    m_template.items.push_back(BWIZC_DIALOG_ITEM::def_push_button(IDOK, "OK", MARGIN + TEXT_WIDTH - 56, y, 56, 14));
    m_template.cx = TEXT_WIDTH + 2 * MARGIN;
    m_template.cy = y + 14 + MARGIN;
    set_template(&m_template);
    set_parent_wnd(parent);
}

BOOL CRWIZARD_ABOUT_DIALOG::OnInitDialog() {
    CDialog::OnInitDialog();
    if (CWnd* title = GetDlgItem(static_cast<int>(IDC_ABOUT_TITLE))) {
        const LOGFONT bold = bwizc_make_logfont(m_template.font_face.c_str(), m_template.font_points, true);
        m_title_font.CreateFontIndirect(&bold);
        title->SetFont(&m_title_font);
    }
    CenterWindow();
    return TRUE;
}
