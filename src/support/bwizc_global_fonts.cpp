#include "support/bwizc_global_fonts.h"

#include <cstring>
#include <memory>
#include <vector>

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/messages.h"
#include "platform/process.h"
#include "platform/window.h"
#include "support/bwizc_global.h"

namespace {
// The screen's vertical resolution, as a device context for the display reports it.
int screen_dpi() {
    CWindowDC screen(nullptr);
    return screen.GetDeviceCaps(LOGPIXELSY);
}

LONG height_for(int points, int dpi) { return -((points * dpi + 36) / 72); }
}  // namespace

CFont* bwizc_global_make_font(const CString& face, int points, bool bold) {
    LOGFONT lf;
    lf.lfHeight = height_for(points, screen_dpi());
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    bwizc_set_face_name(lf, face.c_str());
    auto* font = new CFont;
    font->CreateFontIndirect(&lf);
    return font;
}

void bwizc_global_create_LOGFONT(LOGFONT& lf, int points, int angle, const CString& face, CDC* dc) {
    lf = LOGFONT();
    lf.lfHeight = height_for(points, dc ? dc->GetDeviceCaps(LOGPIXELSY) : screen_dpi());
    lf.lfWidth = 0;
    lf.lfEscapement = angle;
    lf.lfOrientation = angle;
    lf.lfWeight = 0;
    lf.lfCharSet = 0;
    lf.lfOutPrecision = 2;
    lf.lfClipPrecision = 1;
    lf.lfQuality = 2;
    lf.lfPitchAndFamily = 0x30;
    bwizc_set_face_name(lf, face.c_str());
}

CSize bwizc_global_get_text_extent(const CString& text, CFont* font) {
    CWindowDC screen(nullptr);
    if (font && font->is_created()) screen.SelectObject(font);
    CRect r(0, 0, 0, 0);
    screen.DrawText(text, &r, DT_CALCRECT | DT_NOPREFIX);
    return r.Size();
}

CSize bwizc_global_get_text_extent(const CString& text, int points, const CString& face, bool bold) {
    std::unique_ptr<CFont> font(bwizc_global_make_font(face, points, bold));
    return bwizc_global_get_text_extent(text, font.get());
}

CString bwizc_global_get_trimmed_name(const CString& name, int max_width, int points, const CString& face) {
    if (name.IsEmpty()) return name;
    std::unique_ptr<CFont> font(bwizc_global_make_font(face, points, false));
    CString candidate = name;
    for (int keep = name.GetLength();;) {
        if (bwizc_global_get_text_extent(candidate, font.get()).cx <= max_width) return candidate;
        if (keep == 0) return candidate;  // "..." alone is the last try
        --keep;
        candidate = name.Left(keep) + "...";
    }
}

void bwizc_global_font_setting_routine(CWnd* window, CFont* font) {
    if (!window || !window->IsWindow()) return;
    // Collect the handles first: a window may go away while another one handles the font.
    std::vector<HWND> all;
    std::vector<CWnd*> todo(window->get_children().begin(), window->get_children().end());
    while (!todo.empty()) {
        CWnd* w = todo.back();
        todo.pop_back();
        all.push_back(w->m_hWnd);
        todo.insert(todo.end(), w->get_children().begin(), w->get_children().end());
    }
    for (HWND h : all) {
        if (CWnd* w = CWnd::FromHandle(h)) w->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void bwizc_global_draw_gradient_rect(CDC* dc, const CRect& rect, COLORREF c1, COLORREF c2, bool vertical, int levels) {
    if (!dc) return;
    CRect r = rect;
    r.NormalizeRect();
    int lines = vertical ? r.Height() : r.Width();
    if (lines <= 0) return;
    int bands = (levels <= 0 || levels > lines) ? lines : levels;
    for (int band = 0; band < bands; ++band) {
        // Band b covers lines [b * lines / bands, (b + 1) * lines / bands).
        int from = band * lines / bands;
        int to = (band + 1) * lines / bands;
        COLORREF c = bwizc_global_get_color_from_level(c1, c2, band, bands > 1 ? bands - 1 : 1);
        if (vertical)
            dc->FillSolidRect(CRect(r.left, r.top + from, r.right, r.top + to), c);
        else
            dc->FillSolidRect(CRect(r.left + from, r.top, r.left + to, r.bottom), c);
    }
}

bool bwizc_global_peek_and_pump(BWIZC_CHILD_PROCESS* process) {
    bwizc_get_backend()->process_events();
    bool quit = false;
    while (bwizc_dispatch_posted_message(&quit)) {
        if (quit) {
            if (process) process->terminate();
            PostQuitMessage(0);
            return false;
        }
    }
    bwizc_timers_fire_due();
    if (CWinApp* app = AfxGetApp()) {
        LONG count = 0;
        while (app->OnIdle(count++)) {
        }
    }
    return true;
}
