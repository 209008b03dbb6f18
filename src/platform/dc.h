// Drawing: fonts, pens, brushes and the device context. A device context
// turns every call into a drawing operation in device pixels and hands it to
// a sink: the Qt backend paints it with QPainter, the recording sink keeps a
// display list that tests and headless runs can read. Text is measured with
// the shared text metrics on every backend.
#pragma once

#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"
#include "platform/win_defs.h"

constexpr int LF_FACESIZE = 32;

struct LOGFONT {
    LONG lfHeight = 0;  // < 0: character height (em) in pixels; > 0: cell height
    LONG lfWidth = 0;
    LONG lfEscapement = 0;  // tenths of a degree, counter-clockwise
    LONG lfOrientation = 0;
    LONG lfWeight = 0;  // 400 normal, 700 bold; 0 means normal
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
// Copies face into lf.lfFaceName, cut to 31 bytes.
void bwizc_set_face_name(LOGFONT& lf, const char* face);
bool operator==(const LOGFONT& a, const LOGFONT& b);

constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};

// Base of the drawing objects.
class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    bool is_created() const { return m_created; }
    BOOL DeleteObject() { bool was = m_created; m_created = false; return was; }
    // Drawing objects are their own handles.
    CGdiObject* GetSafeHandle() { return m_created ? this : nullptr; }

protected:
    bool m_created = false;
};

class CFont : public CGdiObject {
public:
    CFont() = default;
    BOOL CreateFontIndirect(const LOGFONT* lf);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strike_out, BYTE char_set, BYTE out_precision, BYTE clip_precision, BYTE quality,
                    BYTE pitch_and_family, const char* face);
    // Size in tenths of a point at 96 dots per inch.
    BOOL CreatePointFont(int point_size_tenths, const char* face, CDC* dc = nullptr);
    int GetLogFont(LOGFONT* lf) const;
    const LOGFONT& get_logfont() const { return m_lf; }
    operator HFONT() { return m_created ? this : nullptr; }

    // The font dialogs and controls use when nobody set one: "MS Sans Serif", 8 points.
    static CFont* default_gui_font();

private:
    LOGFONT m_lf;
};

constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_NULL = 5;

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    int style() const { return m_style; }
    int width() const { return m_width; }
    COLORREF color() const { return m_color; }

private:
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_color = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    // A brush that paints nothing (the hollow stock brush).
    bool is_null() const { return m_null; }
    COLORREF color() const { return m_color; }
    operator HBRUSH() { return m_created ? this : nullptr; }

    static CBrush* null_brush();

private:
    friend class CDC;
    COLORREF m_color = 0;
    bool m_null = false;
};

// Stock objects for CDC::SelectStockObject.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int DEFAULT_GUI_FONT = 17;

// Background modes
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment for TextOut
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// DrawText flags
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// Device capabilities
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// System colours
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
COLORREF GetSysColor(int index);

// One drawing operation in device pixels, as a sink receives it.
struct BWIZC_DRAW_OP {
    enum KIND { LINE, RECTANGLE, FILL_RECT, ELLIPSE, ARC, POLYGON, POLYLINE, TEXT, PIXEL, IMAGE };
    KIND kind = LINE;
    // LINE: from rect.TopLeft() to rect.BottomRight(). RECTANGLE, FILL_RECT,
    // ELLIPSE, ARC: the bounding rectangle. TEXT: rect is the text's box before
    // rotation (left/top = the reference point after alignment, width/height = extent).
    CRect rect;
    CPoint arc_start;  // ARC: the radial end points, counter-clockwise from start to end
    CPoint arc_end;
    std::vector<CPoint> points;  // POLYGON, POLYLINE
    // Pen (outline); PS_NULL draws no outline.
    int pen_style = PS_SOLID;
    int pen_width = 1;
    COLORREF pen_color = 0;
    // Fill; brush_null draws no fill. FILL_RECT and PIXEL use brush_color.
    bool brush_null = false;
    COLORREF brush_color = 0xFFFFFF;
    // TEXT; IMAGE: the image file, scaled into rect
    CString text;
    LOGFONT font;
    COLORREF text_color = 0;
    COLORREF bk_color = 0xFFFFFF;
    int bk_mode = OPAQUE;
    // TEXT: x of each character's left edge relative to rect.left, from the shared
    // metrics, so every backend places glyphs where the layout measured them.
    std::vector<int> char_x;
    int ascent = 0;  // TEXT: baseline below rect.top
    // TEXT: the point the text turns around by the font's escapement.
    CPoint text_origin;
};

// Receives the drawing operations of a device context.
class BWIZC_DC_SINK {
public:
    virtual ~BWIZC_DC_SINK() = default;
    virtual void draw(const BWIZC_DRAW_OP& op) = 0;
};

// Keeps every operation it receives, in order.
class BWIZC_RECORDING_SINK : public BWIZC_DC_SINK {
public:
    void draw(const BWIZC_DRAW_OP& op) override { m_ops.push_back(op); }
    const std::vector<BWIZC_DRAW_OP>& ops() const { return m_ops; }
    void clear() { m_ops.clear(); }

private:
    std::vector<BWIZC_DRAW_OP> m_ops;
};

class CWnd;

class CDC {
public:
    // A context without a sink measures but draws nowhere.
    CDC();
    explicit CDC(BWIZC_DC_SINK* sink);
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    void set_sink(BWIZC_DC_SINK* sink) { m_sink = sink; }
    BWIZC_DC_SINK* get_sink() const { return m_sink; }
    // Handle-like access for code that passes the context through a message.
    CDC* GetSafeHdc() { return this; }

    // Objects; each returns the object selected before (may be a stock object).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CGdiObject* SelectStockObject(int index);
    CFont* GetCurrentFont() const { return m_font_obj; }
    const LOGFONT& get_font() const { return m_font; }

    // Attributes
    COLORREF SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return m_text_color; }
    COLORREF SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return m_bk_color; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bk_mode; }
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const { return m_text_align; }
    int GetDeviceCaps(int index) const;

    // Coordinates: logical + viewport origin = device.
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(CPoint p) { return SetViewportOrg(p.x, p.y); }
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const { return m_origin; }
    int SaveDC();
    BOOL RestoreDC(int saved);

    // Lines and shapes
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint p) { return LineTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_pos; }
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(const CRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    BOOL Arc(const CRect& r, CPoint start, CPoint end);
    BOOL Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) { return Arc(CRect(l, t, r, b), {x3, y3}, {x4, y4}); }
    BOOL Polygon(const CPoint* pts, int count);
    BOOL Polyline(const CPoint* pts, int count);
    void FillSolidRect(const CRect& r, COLORREF c);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c) { FillSolidRect(CRect(x, y, x + cx, y + cy), c); }
    void FillRect(const CRect& r, CBrush* brush);
    void FrameRect(const CRect& r, CBrush* brush);
    void Draw3dRect(const CRect& r, COLORREF top_left, COLORREF bottom_right);
    COLORREF SetPixel(int x, int y, COLORREF c);
    // The image of a file scaled into r (backends that cannot decode images
    // keep the operation only).
    void DrawImageFile(const CRect& r, const CString& path);

    // Text. TextOut draws one line at the reference point chosen by the text
    // alignment, rotated by the font's escapement. DrawText lays text out in a
    // rectangle (prefix "&" handling unless DT_NOPREFIX, word breaks, alignment)
    // and returns the height; with DT_CALCRECT it only adjusts the rectangle.
    BOOL TextOut(int x, int y, const CString& text);
    int DrawText(const CString& text, CRect* rect, UINT format);
    int DrawText(const CString& text, CRect& rect, UINT format) { return DrawText(text, &rect, format); }
    CSize GetTextExtent(const CString& text) const;
    BOOL GetTextMetrics(TEXTMETRIC* tm) const;

private:
    struct STATE {
        CPen* pen_obj;
        CBrush* brush_obj;
        CFont* font_obj;
        int pen_style, pen_width;
        COLORREF pen_color;
        bool brush_null;
        COLORREF brush_color;
        LOGFONT font;
        COLORREF text_color, bk_color;
        int bk_mode;
        UINT text_align;
        CPoint origin, pos;
    };
    STATE save_state() const;
    void restore_state(const STATE& s);
    void emit_op(BWIZC_DRAW_OP& op);
    void text_line(int x, int y, const CString& text, UINT align);

    BWIZC_DC_SINK* m_sink = nullptr;
    CPen* m_pen_obj = nullptr;
    CBrush* m_brush_obj = nullptr;
    CFont* m_font_obj = nullptr;
    int m_pen_style = PS_SOLID;
    int m_pen_width = 1;
    COLORREF m_pen_color = 0;
    bool m_brush_null = false;
    COLORREF m_brush_color = 0xFFFFFF;
    LOGFONT m_font;
    COLORREF m_text_color = 0;
    COLORREF m_bk_color = 0xFFFFFF;
    int m_bk_mode = OPAQUE;
    UINT m_text_align = 0;
    CPoint m_origin;
    CPoint m_pos;
    std::vector<STATE> m_saved;
};

// A context that keeps its display list.
class CRecordingDC : public CDC {
public:
    CRecordingDC() : CDC(&m_rec) {}
    const std::vector<BWIZC_DRAW_OP>& ops() const { return m_rec.ops(); }
    void clear() { m_rec.clear(); }

private:
    BWIZC_RECORDING_SINK m_rec;
};

// The context of a window being painted: the backend's painter while the
// backend paints the window, else a recording the window keeps as its last
// picture (CWnd::get_last_paint).
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

private:
    CWnd* m_wnd;
    std::unique_ptr<BWIZC_RECORDING_SINK> m_own;
    CFont m_window_font;
};

// A context for drawing into a window outside of painting; same sink choice
// as CPaintDC. CWindowDC(nullptr) is the screen, which measures only.
class CClientDC : public CPaintDC {
public:
    explicit CClientDC(CWnd* wnd) : CPaintDC(wnd) {}
};
class CWindowDC : public CPaintDC {
public:
    explicit CWindowDC(CWnd* wnd) : CPaintDC(wnd) {}
};
