#include "platform/dc.h"

#include <algorithm>
#include <utility>
#include <cstring>

#include "platform/backend.h"
#include "platform/platform_internal.h"
#include "platform/text_metrics.h"
#include "platform/window.h"

void bwizc_set_face_name(LOGFONT& lf, const char* face) {
    std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
    if (face) std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

bool operator==(const LOGFONT& a, const LOGFONT& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

// ---- fonts, pens, brushes ----

BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
    if (!lf) return FALSE;
    m_lf = *lf;
    m_lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    m_created = true;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strike_out, BYTE char_set, BYTE out_precision, BYTE clip_precision,
                       BYTE quality, BYTE pitch_and_family, const char* face) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strike_out;
    lf.lfCharSet = char_set;
    lf.lfOutPrecision = out_precision;
    lf.lfClipPrecision = clip_precision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitch_and_family;
    bwizc_set_face_name(lf, face);
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int point_size_tenths, const char* face, CDC* dc) {
    int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : BWIZC_SCREEN_DPI;
    LOGFONT lf;
    // Tenths of a point to pixels, rounded.
    lf.lfHeight = -((point_size_tenths * dpi + 360) / 720);
    lf.lfWeight = FW_NORMAL;
    bwizc_set_face_name(lf, face);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* lf) const {
    if (!lf || !m_created) return 0;
    *lf = m_lf;
    return static_cast<int>(sizeof(LOGFONT));
}

CFont* CFont::default_gui_font() {
    static CFont font = [] {
        CFont f;
        LOGFONT lf = bwizc_make_logfont("MS Sans Serif", 8, false);
        f.CreateFontIndirect(&lf);
        return f;
    }();
    return &font;
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    m_style = style;
    m_width = width < 1 ? 1 : width;
    m_color = color;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    m_color = color;
    m_null = false;
    m_created = true;
    return TRUE;
}

CBrush* CBrush::null_brush() {
    static CBrush b = [] {
        CBrush x;
        x.m_created = true;
        x.m_null = true;
        return x;
    }();
    return &b;
}

namespace {
CPen* stock_pen(int index) {
    static CPen white(PS_SOLID, 1, 0xFFFFFF), black(PS_SOLID, 1, 0), null_pen(PS_NULL, 1, 0);
    return index == WHITE_PEN ? &white : index == NULL_PEN ? &null_pen : &black;
}
CBrush* stock_brush(int index) {
    static CBrush white(0xFFFFFF), black(0x000000);
    if (index == NULL_BRUSH) return CBrush::null_brush();
    return index == BLACK_BRUSH ? &black : &white;
}
}  // namespace

// ---- device context ----

CDC::CDC() : CDC(nullptr) {}

CDC::CDC(BWIZC_DC_SINK* sink) : m_sink(sink) {
    m_font = CFont::default_gui_font()->get_logfont();
    m_font_obj = CFont::default_gui_font();
    m_pen_obj = stock_pen(BLACK_PEN);
    m_brush_obj = stock_brush(WHITE_BRUSH);
}

CDC::~CDC() = default;

CPen* CDC::SelectObject(CPen* pen) {
    CPen* old = m_pen_obj;
    if (!pen) return old;
    m_pen_obj = pen;
    m_pen_style = pen->style();
    m_pen_width = pen->width();
    m_pen_color = pen->color();
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    CBrush* old = m_brush_obj;
    if (!brush) return old;
    m_brush_obj = brush;
    m_brush_null = brush->is_null();
    m_brush_color = brush->color();
    return old;
}

CFont* CDC::SelectObject(CFont* font) {
    CFont* old = m_font_obj;
    if (!font || !font->is_created()) return old;
    m_font_obj = font;
    m_font = font->get_logfont();
    return old;
}

CGdiObject* CDC::SelectStockObject(int index) {
    switch (index) {
    case WHITE_PEN:
    case BLACK_PEN:
    case NULL_PEN:
        return SelectObject(stock_pen(index));
    case DEFAULT_GUI_FONT:
        return SelectObject(CFont::default_gui_font());
    default:
        return SelectObject(stock_brush(index));
    }
}

COLORREF CDC::SetTextColor(COLORREF c) { return std::exchange(m_text_color, c); }
COLORREF CDC::SetBkColor(COLORREF c) { return std::exchange(m_bk_color, c); }
int CDC::SetBkMode(int mode) { return std::exchange(m_bk_mode, mode); }
UINT CDC::SetTextAlign(UINT flags) { return std::exchange(m_text_align, flags); }

int CDC::GetDeviceCaps(int index) const {
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return BWIZC_SCREEN_DPI;
    case HORZRES:
        return bwizc_get_backend()->get_screen_size().cx;
    case VERTRES:
        return bwizc_get_backend()->get_screen_size().cy;
    default:
        return 0;
    }
}

CPoint CDC::SetViewportOrg(int x, int y) { return std::exchange(m_origin, CPoint(x, y)); }

CPoint CDC::OffsetViewportOrg(int dx, int dy) {
    CPoint old = m_origin;
    m_origin.Offset(dx, dy);
    return old;
}

CDC::STATE CDC::save_state() const {
    return STATE{m_pen_obj, m_brush_obj, m_font_obj, m_pen_style, m_pen_width, m_pen_color, m_brush_null,
                 m_brush_color, m_font, m_text_color, m_bk_color, m_bk_mode, m_text_align, m_origin, m_pos};
}

void CDC::restore_state(const STATE& s) {
    m_pen_obj = s.pen_obj;
    m_brush_obj = s.brush_obj;
    m_font_obj = s.font_obj;
    m_pen_style = s.pen_style;
    m_pen_width = s.pen_width;
    m_pen_color = s.pen_color;
    m_brush_null = s.brush_null;
    m_brush_color = s.brush_color;
    m_font = s.font;
    m_text_color = s.text_color;
    m_bk_color = s.bk_color;
    m_bk_mode = s.bk_mode;
    m_text_align = s.text_align;
    m_origin = s.origin;
    m_pos = s.pos;
}

int CDC::SaveDC() {
    m_saved.push_back(save_state());
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int saved) {
    int n = static_cast<int>(m_saved.size());
    if (saved < 0) saved = n + 1 + saved;
    if (saved < 1 || saved > n) return FALSE;
    restore_state(m_saved[static_cast<size_t>(saved - 1)]);
    m_saved.resize(static_cast<size_t>(saved - 1));
    return TRUE;
}

void CDC::emit_op(BWIZC_DRAW_OP& op) {
    if (!m_sink) return;
    op.pen_style = m_pen_style;
    op.pen_width = m_pen_width;
    op.pen_color = m_pen_color;
    if (op.kind != BWIZC_DRAW_OP::FILL_RECT && op.kind != BWIZC_DRAW_OP::PIXEL) {
        op.brush_null = m_brush_null;
        op.brush_color = m_brush_color;
    }
    m_sink->draw(op);
}

CPoint CDC::MoveTo(int x, int y) { return std::exchange(m_pos, CPoint(x, y)); }

BOOL CDC::LineTo(int x, int y) {
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::LINE;
    op.rect = CRect(m_pos.x + m_origin.x, m_pos.y + m_origin.y, x + m_origin.x, y + m_origin.y);
    emit_op(op);
    m_pos = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Rectangle(int l, int t, int r, int b) {
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::RECTANGLE;
    op.rect = CRect(l, t, r, b);
    op.rect.NormalizeRect();
    op.rect.OffsetRect(m_origin);
    emit_op(op);
    return TRUE;
}

BOOL CDC::Ellipse(int l, int t, int r, int b) {
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::ELLIPSE;
    op.rect = CRect(l, t, r, b);
    op.rect.NormalizeRect();
    op.rect.OffsetRect(m_origin);
    emit_op(op);
    return TRUE;
}

BOOL CDC::Arc(const CRect& r, CPoint start, CPoint end) {
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::ARC;
    op.rect = r;
    op.rect.NormalizeRect();
    op.rect.OffsetRect(m_origin);
    op.arc_start = start + m_origin;
    op.arc_end = end + m_origin;
    emit_op(op);
    return TRUE;
}

BOOL CDC::Polygon(const CPoint* pts, int count) {
    if (!pts || count < 2) return FALSE;
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::POLYGON;
    for (int i = 0; i < count; ++i) op.points.push_back(pts[i] + m_origin);
    emit_op(op);
    return TRUE;
}

BOOL CDC::Polyline(const CPoint* pts, int count) {
    if (!pts || count < 2) return FALSE;
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::POLYLINE;
    for (int i = 0; i < count; ++i) op.points.push_back(pts[i] + m_origin);
    emit_op(op);
    return TRUE;
}

void CDC::DrawImageFile(const CRect& r, const CString& path) {
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::IMAGE;
    op.rect = r;
    op.rect.NormalizeRect();
    op.rect.OffsetRect(m_origin);
    op.text = path;
    emit_op(op);
}

void CDC::FillSolidRect(const CRect& r, COLORREF c) {
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::FILL_RECT;
    op.rect = r;
    op.rect.NormalizeRect();
    op.rect.OffsetRect(m_origin);
    op.brush_null = false;
    op.brush_color = c;
    emit_op(op);
    // Like the platform call it stands for, the fill leaves the background colour set.
    m_bk_color = c;
}

void CDC::FillRect(const CRect& r, CBrush* brush) {
    if (!brush || brush->is_null()) return;
    COLORREF keep = m_bk_color;
    FillSolidRect(r, brush->color());
    m_bk_color = keep;
}

void CDC::FrameRect(const CRect& r, CBrush* brush) {
    if (!brush || brush->is_null()) return;
    COLORREF keep = m_bk_color;
    FillSolidRect(CRect(r.left, r.top, r.right, r.top + 1), brush->color());
    FillSolidRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), brush->color());
    FillSolidRect(CRect(r.left, r.top, r.left + 1, r.bottom), brush->color());
    FillSolidRect(CRect(r.right - 1, r.top, r.right, r.bottom), brush->color());
    m_bk_color = keep;
}

void CDC::Draw3dRect(const CRect& r, COLORREF top_left, COLORREF bottom_right) {
    COLORREF keep = m_bk_color;
    FillSolidRect(CRect(r.left, r.top, r.right - 1, r.top + 1), top_left);
    FillSolidRect(CRect(r.left, r.top, r.left + 1, r.bottom - 1), top_left);
    FillSolidRect(CRect(r.right - 1, r.top, r.right, r.bottom), bottom_right);
    FillSolidRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), bottom_right);
    m_bk_color = keep;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF c) {
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::PIXEL;
    op.rect = CRect(x, y, x + 1, y + 1);
    op.rect.OffsetRect(m_origin);
    op.brush_null = false;
    op.brush_color = c;
    emit_op(op);
    return c;
}

CSize CDC::GetTextExtent(const CString& text) const { return bwizc_text_extent(m_font, text); }

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const {
    if (!tm) return FALSE;
    *tm = bwizc_text_metrics(m_font);
    return TRUE;
}

// One line at (x, y) (logical), placed around the reference point by align.
void CDC::text_line(int x, int y, const CString& text, UINT align) {
    if (!m_sink) return;
    BWIZC_DRAW_OP op;
    op.kind = BWIZC_DRAW_OP::TEXT;
    op.text = text;
    op.font = m_font;
    op.text_color = m_text_color;
    op.bk_color = m_bk_color;
    op.bk_mode = m_bk_mode;
    op.char_x = bwizc_text_char_positions(m_font, text);
    TEXTMETRIC tm = bwizc_text_metrics(m_font);
    op.ascent = tm.tmAscent;
    int w = op.char_x.back();
    int h = tm.tmHeight;
    int dx = 0, dy = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        dx = -w / 2;
    else if (align & TA_RIGHT)
        dx = -w;
    if ((align & TA_BASELINE) == TA_BASELINE)
        dy = -tm.tmAscent;
    else if (align & TA_BOTTOM)
        dy = -h;
    op.text_origin = CPoint(x, y) + m_origin;
    op.rect = CRect(op.text_origin.x + dx, op.text_origin.y + dy, op.text_origin.x + dx + w, op.text_origin.y + dy + h);
    emit_op(op);
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    text_line(x, y, text, m_text_align);
    return TRUE;
}

namespace {

// Removes the "&" prefix marks: "&&" is a literal "&", "&x" is x.
CString strip_prefix(const CString& s) {
    CString out;
    const std::string& str = s.str();
    for (size_t i = 0; i < str.size(); ++i) {
        if (str[i] == '&') {
            if (i + 1 < str.size()) {
                ++i;
                out += str[i];
            }
            continue;
        }
        out += str[i];
    }
    return out;
}

void split_lines(const CString& text, bool single, std::vector<CString>& lines) {
    CString cur;
    for (char ch : text.str()) {
        if (ch == '\r') continue;
        if (ch == '\n') {
            if (single) continue;
            lines.push_back(cur);
            cur.Empty();
            continue;
        }
        cur += ch;
    }
    lines.push_back(cur);
}

// Breaks one line into pieces no wider than width, at blanks; a word wider
// than the width stands on a line of its own.
void wrap_line(const LOGFONT& lf, const CString& line, int width, std::vector<CString>& out) {
    const std::string& s = line.str();
    if (s.empty()) out.push_back(CString());
    size_t start = 0;
    while (start < s.size()) {
        size_t end_fit = std::string::npos;
        size_t pos = start;
        for (;;) {
            size_t sp = s.find(' ', pos);
            size_t end = sp == std::string::npos ? s.size() : sp;
            // The first word is taken even when it is too wide.
            if (end_fit != std::string::npos && bwizc_text_extent(lf, CString(s.substr(start, end - start))).cx > width)
                break;
            end_fit = end;
            if (sp == std::string::npos) break;
            pos = sp + 1;
        }
        out.push_back(CString(s.substr(start, end_fit - start)));
        start = end_fit;
        while (start < s.size() && s[start] == ' ') ++start;
    }
}

}  // namespace

int CDC::DrawText(const CString& text_in, CRect* rect, UINT format) {
    if (!rect) return 0;
    CString text = (format & DT_NOPREFIX) ? text_in : strip_prefix(text_in);
    if (format & DT_EXPANDTABS) text.Replace("\t", "        ");
    bool single = (format & DT_SINGLELINE) != 0;
    std::vector<CString> raw, lines;
    split_lines(text, single, raw);
    if (!single && (format & DT_WORDBREAK)) {
        for (const CString& l : raw) wrap_line(m_font, l, rect->Width(), lines);
    } else {
        lines = raw;
    }
    TEXTMETRIC tm = bwizc_text_metrics(m_font);
    int line_h = tm.tmHeight;
    int max_w = 0;
    for (const CString& l : lines) max_w = std::max(max_w, bwizc_text_extent(m_font, l).cx);
    int total_h = line_h * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        if (!(format & DT_WORDBREAK) || max_w > rect->Width()) rect->right = rect->left + max_w;
        rect->bottom = rect->top + total_h;
        return total_h;
    }
    int y = rect->top;
    if (single && (format & DT_VCENTER)) y = rect->top + (rect->Height() - line_h) / 2;
    if (single && (format & DT_BOTTOM)) y = rect->bottom - line_h;
    for (const CString& l : lines) {
        int w = bwizc_text_extent(m_font, l).cx;
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->Width() - w) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - w;
        if (!l.IsEmpty()) text_line(x, y, l, TA_LEFT | TA_TOP);
        y += line_h;
    }
    return total_h;
}

// ---- window contexts ----

CPaintDC::CPaintDC(CWnd* wnd) : m_wnd(wnd) {
    if (!wnd || !wnd->m_hWnd) return;
    LOGFONT lf = wnd->get_effective_font();
    if (CDC* painter = bwizc_get_paint_dc(wnd)) {
        set_sink(painter->get_sink());
        SetViewportOrg(painter->GetViewportOrg());
    } else {
        m_own = std::make_unique<BWIZC_RECORDING_SINK>();
        set_sink(m_own.get());
    }
    // Draw with the window's font until the code selects another.
    m_window_font.CreateFontIndirect(&lf);
    SelectObject(&m_window_font);
}

CPaintDC::~CPaintDC() {
    if (m_own && m_wnd) m_wnd->m_last_paint = std::move(m_own);
}
