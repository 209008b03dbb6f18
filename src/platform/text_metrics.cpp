#include "platform/text_metrics.h"

#include "platform/platform_internal.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>

namespace {

// The faces the wizard draws with. Every proportional face is measured with
// Liberation Sans (metric-compatible with the faces the dialogs name), the
// fixed-pitch ones with Liberation Mono.
enum FAMILY { SANS = 0, MONO = 1 };
const char* const FAMILY_NAMES[] = {"Liberation Sans", "Liberation Mono"};

struct SIZE_METRICS {
    int ascent = 0;
    int descent = 0;
    int ave_char_width = 0;
    int max_char_width = 0;
    std::unordered_map<unsigned, int> advances;
};

struct FACE {
    CString path;
    FT_Face face = nullptr;
    int win_ascent = 0;
    int win_descent = 0;
    int x_avg_char_width = 0;
    int units_per_em = 2048;
    std::map<int, SIZE_METRICS> sizes;
};

struct METRICS {
    std::mutex mutex;
    bool initialized = false;
    bool ok = false;
    CString error;
    FT_Library library = nullptr;
    FACE faces[2][2];  // [family][bold]
};

METRICS& metrics() {
    static METRICS m;
    return m;
}

FAMILY family_of(const char* face) {
    static const char* const mono[] = {"courier", "courier new", "liberation mono", "monospace", "fixedsys", "terminal"};
    for (const char* m : mono)
        if (strcasecmp(face, m) == 0) return MONO;
    return SANS;
}

// Asks fontconfig for the file of family/weight; refuses whatever fontconfig
// offers instead of the family asked for.
bool resolve(FAMILY fam, bool bold, CString* path, CString* error) {
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(FAMILY_NAMES[fam]));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pat, &result);
    FcPatternDestroy(pat);
    bool found = false;
    CString got_family;
    if (match) {
        FcChar8* family = nullptr;
        FcChar8* file = nullptr;
        int weight = 0;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch) got_family = reinterpret_cast<const char*>(family);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
        bool weight_ok = bold ? weight >= FC_WEIGHT_DEMIBOLD : weight < FC_WEIGHT_DEMIBOLD;
        if (got_family.CompareNoCase(FAMILY_NAMES[fam]) == 0 && weight_ok &&
            FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            *path = reinterpret_cast<const char*>(file);
            found = true;
        }
        FcPatternDestroy(match);
    }
    if (!found) {
        error->Format("The font \"%s%s\" is not installed (the fonts-liberation package provides it)%s%s.",
                      FAMILY_NAMES[fam], bold ? " Bold" : "", got_family.IsEmpty() ? "" : "; the font system offered ",
                      got_family.c_str());
        return false;
    }
    return true;
}

bool initialize_locked(METRICS& m) {
    if (m.initialized) return m.ok;
    m.initialized = true;
    if (!FcInit()) {
        m.error = "The font configuration could not be loaded.";
        return false;
    }
    // The font configuration keeps memory of its own until it is released.
    std::atexit(FcFini);
    if (FT_Init_FreeType(&m.library) != 0) {
        m.error = "The font renderer could not be started.";
        return false;
    }
    for (int fam = 0; fam < 2; ++fam) {
        for (int bold = 0; bold < 2; ++bold) {
            FACE& f = m.faces[fam][bold];
            if (!resolve(static_cast<FAMILY>(fam), bold != 0, &f.path, &m.error)) return false;
            if (FT_New_Face(m.library, f.path.c_str(), 0, &f.face) != 0) {
                m.error.Format("The font file %s cannot be read.", f.path.c_str());
                return false;
            }
            f.units_per_em = f.face->units_per_EM ? f.face->units_per_EM : 2048;
            auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_OS2));
            if (os2 && os2->usWinAscent) {
                f.win_ascent = os2->usWinAscent;
                f.win_descent = os2->usWinDescent;
                f.x_avg_char_width = os2->xAvgCharWidth;
            } else {
                f.win_ascent = f.face->ascender;
                f.win_descent = -f.face->descender;
                f.x_avg_char_width = f.units_per_em / 2;
            }
        }
    }
    m.ok = true;
    return true;
}

METRICS& ready_metrics(std::unique_lock<std::mutex>& lock) {
    METRICS& m = metrics();
    lock = std::unique_lock<std::mutex>(m.mutex);
    if (!initialize_locked(m)) {
        // Measuring with some other font would give different layouts on
        // different machines; there is no sensible way on.
        std::fprintf(stderr, "%s\n", m.error.c_str());
        std::fflush(stderr);
        std::exit(1);
    }
    return m;
}

FACE& face_for(METRICS& m, const LOGFONT& lf) {
    FAMILY fam = family_of(lf.lfFaceName);
    bool bold = lf.lfWeight >= 600;
    return m.faces[fam][bold ? 1 : 0];
}

int ceil_div(long long a, long long b) { return static_cast<int>((a + b - 1) / b); }

int pixel_size(const FACE& f, const LOGFONT& lf) {
    if (lf.lfHeight < 0) return -lf.lfHeight;
    if (lf.lfHeight > 0) {
        // A positive height is the cell height (ascent plus descent); the
        // cell never comes out taller than asked.
        long long cell = f.win_ascent + f.win_descent;
        int ppem = static_cast<int>(static_cast<long long>(lf.lfHeight) * f.units_per_em / cell);
        return ppem > 0 ? ppem : 1;
    }
    return 12;
}

SIZE_METRICS& size_metrics(FACE& f, int ppem) {
    auto it = f.sizes.find(ppem);
    if (it != f.sizes.end()) return it->second;
    SIZE_METRICS& s = f.sizes[ppem];
    s.ascent = ceil_div(static_cast<long long>(f.win_ascent) * ppem, f.units_per_em);
    s.descent = ceil_div(static_cast<long long>(f.win_descent) * ppem, f.units_per_em);
    s.ave_char_width = static_cast<int>((static_cast<long long>(f.x_avg_char_width) * ppem + f.units_per_em / 2) / f.units_per_em);
    s.max_char_width = static_cast<int>((static_cast<long long>(f.face->max_advance_width) * ppem + f.units_per_em - 1) / f.units_per_em);
    return s;
}

int advance(FACE& f, SIZE_METRICS& s, int ppem, unsigned cp) {
    auto it = s.advances.find(cp);
    if (it != s.advances.end()) return it->second;
    FT_Set_Pixel_Sizes(f.face, 0, static_cast<FT_UInt>(ppem));
    int adv = 0;
    if (FT_Load_Char(f.face, cp, FT_LOAD_DEFAULT) == 0) adv = static_cast<int>((f.face->glyph->advance.x + 32) >> 6);
    s.advances.emplace(cp, adv);
    return adv;
}

}  // namespace

bool bwizc_text_metrics_initialize(CString* error) {
    METRICS& m = metrics();
    std::lock_guard<std::mutex> lock(m.mutex);
    bool ok = initialize_locked(m);
    if (!ok && error) *error = m.error;
    return ok;
}

CString bwizc_font_file(const LOGFONT& lf) {
    METRICS& m = metrics();
    std::lock_guard<std::mutex> lock(m.mutex);
    if (!initialize_locked(m)) return CString();
    return face_for(m, lf).path;
}

CString bwizc_font_family(const LOGFONT& lf) { return FAMILY_NAMES[family_of(lf.lfFaceName)]; }

int bwizc_font_pixel_size(const LOGFONT& lf) {
    std::unique_lock<std::mutex> lock;
    METRICS& m = ready_metrics(lock);
    return pixel_size(face_for(m, lf), lf);
}

std::vector<int> bwizc_text_char_positions(const LOGFONT& lf, const CString& text) {
    std::unique_lock<std::mutex> lock;
    METRICS& m = ready_metrics(lock);
    FACE& f = face_for(m, lf);
    int ppem = pixel_size(f, lf);
    SIZE_METRICS& s = size_metrics(f, ppem);
    std::vector<int> pos;
    int x = 0;
    for (unsigned cp : bwizc_utf8_code_points(text.str())) {
        pos.push_back(x);
        x += advance(f, s, ppem, cp);
    }
    pos.push_back(x);
    return pos;
}

CSize bwizc_text_extent(const LOGFONT& lf, const CString& text) {
    std::vector<int> pos = bwizc_text_char_positions(lf, text);
    TEXTMETRIC tm = bwizc_text_metrics(lf);
    return {pos.back(), tm.tmHeight};
}

TEXTMETRIC bwizc_text_metrics(const LOGFONT& lf) {
    std::unique_lock<std::mutex> lock;
    METRICS& m = ready_metrics(lock);
    FACE& f = face_for(m, lf);
    int ppem = pixel_size(f, lf);
    SIZE_METRICS& s = size_metrics(f, ppem);
    TEXTMETRIC tm;
    tm.tmAscent = s.ascent;
    tm.tmDescent = s.descent;
    tm.tmHeight = s.ascent + s.descent;
    tm.tmInternalLeading = tm.tmHeight - ppem;
    tm.tmExternalLeading = 0;
    tm.tmAveCharWidth = s.ave_char_width;
    tm.tmMaxCharWidth = s.max_char_width;
    tm.tmWeight = lf.lfWeight >= 600 ? FW_BOLD : FW_NORMAL;
    return tm;
}

LOGFONT bwizc_make_logfont(const char* face, int points, bool bold) {
    LOGFONT lf;
    lf.lfHeight = -((points * BWIZC_SCREEN_DPI + 36) / 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    bwizc_set_face_name(lf, face);
    return lf;
}

std::vector<unsigned> bwizc_utf8_code_points(const std::string& s) {
    std::vector<unsigned> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        bool valid = extra > 0 && i + static_cast<size_t>(extra) < s.size();
        unsigned cp = c & (0x3Fu >> extra);
        for (int k = 1; valid && k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            valid = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!valid) {
            out.push_back(c);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

void bwizc_utf8_append(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
