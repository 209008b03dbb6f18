// bwizc_global_*: the framework's shared path, string, number, colour,
// process, logging and file-error utilities. Every function returns a new
// value and leaves its arguments alone unless they are explicit out or
// in/out parameters. Failures are false, "", 0 or null; nothing throws.
// Numbers are read and written in the C locale.
#pragma once

#include "platform/cstring.h"
#include "platform/file.h"
#include "platform/message_box.h"  // g_is_in_silent_mode, bwizc_message_box
#include "platform/types.h"

// ---------------------------------------------------------------- constants

// Which component of a path bwizc_global_get_path_component extracts.
enum BWIZC_PATH_COMP_TYPE {
    BWIZC_PATH_COMP_DRIVE = 0,  // always "" on this platform
    BWIZC_PATH_COMP_DIR = 1,    // directory with its trailing "/"
    BWIZC_PATH_COMP_TITLE = 2,  // file name without extension
    BWIZC_PATH_COMP_EXT = 3,    // extension with its leading "."
};

// The shared boolean texts. Inline, so that they are constructed before any
// global of a translation unit that includes this header.
inline const CString BWIZC_LOGICAL_TRUE_STRING{"TRUE"};
inline const CString BWIZC_LOGICAL_FALSE_STRING{"FALSE"};

// Named colours (red in the low byte).
inline constexpr COLORREF BWIZC_COLOR_BLACK = 0x000000;
inline constexpr COLORREF BWIZC_COLOR_WHITE = 0xFFFFFF;
inline constexpr COLORREF BWIZC_COLOR_RED = 0x0000FF;
inline constexpr COLORREF BWIZC_COLOR_GREEN = 0x00FF00;
inline constexpr COLORREF BWIZC_COLOR_DARK_GREEN = 0x007F00;
inline constexpr COLORREF BWIZC_COLOR_BLUE = 0xFF0000;
inline constexpr COLORREF BWIZC_COLOR_YELLOW = 0x00FFFF;
inline constexpr COLORREF BWIZC_COLOR_MAGENTA = 0xFF00FF;
inline constexpr COLORREF BWIZC_COLOR_CYAN = 0xFFFF00;
inline constexpr COLORREF BWIZC_COLOR_TEAL = 0x808000;
inline constexpr COLORREF BWIZC_COLOR_GRAY = 0x7F7F7F;
inline constexpr COLORREF BWIZC_COLOR_DARK_GRAY = 0x3F3F3F;
inline constexpr COLORREF BWIZC_COLOR_LIGHT_GRAY = 0xBDBDBD;
inline constexpr COLORREF BWIZC_COLOR_VERY_LIGHT_GRAY = 0xD9D9D9;
inline constexpr COLORREF BWIZC_COLOR_VERY_VERY_LIGHT_GRAY = 0xE1E1E1;

// The exit-code answer for a process that is still running.
inline constexpr int BWIZC_STILL_ACTIVE = 259;

// -------------------------------------------------------------------- paths

// The component of path (trimmed of white space at both ends); "" for an
// empty path.
CString bwizc_global_get_path_component(const CString& path, BWIZC_PATH_COMP_TYPE type);
CString bwizc_global_get_file_ext(const CString& path);            // ".cnx"
CString bwizc_global_get_file_title(const CString& path);          // "top"
CString bwizc_global_get_file_name(const CString& path);           // "top.cnx"
CString bwizc_global_get_file_path(const CString& path);           // "/x/y/"
CString bwizc_global_get_file_title_with_path(const CString& path);  // "/x/y/top"
// Drive and directory of path followed by title and ext (ext with its dot).
CString bwizc_global_split_make_file_path(const CString& path, const CString& title, const CString& ext);
// Always "/".
CString bwizc_global_get_file_drive(const CString& path);

// Full path of the running executable; "" when it cannot be read.
CString bwizc_global_get_app_file_name();
// Directory of the executable with a trailing "/".
CString bwizc_global_get_app_path();
// Absolute, normalised form of path relative to the current directory
// ("." and ".." resolved by name; the path need not exist); "" when it
// cannot be formed.
CString bwizc_global_get_absolute_path(const CString& path);
// Absolute form of path taken relative to the executable's directory.
CString bwizc_global_get_absolute_path_from_app(const CString& path);
// Resolves path relative to the directory reference: dir_out gets drive and
// directory, name_out title and extension. False (both "") when reference
// cannot be entered.
bool bwizc_global_convert_rel2abs_path_with_ref(const CString& path, const CString& reference, CString& dir_out,
                                                CString& name_out);
// The current working directory; "" when it cannot be read.
CString bwizc_global_get_cur_work_dir();
// True when the directory can be entered (the current directory is kept).
bool bwizc_global_directory_exists(const CString& path);
// Changes the current directory to the absolute form of path.
bool bwizc_global_change_directory(const CString& path);
// True when the directory exists or could be created (one level, mode 0755).
bool bwizc_global_make_directory(const CString& path);
bool bwizc_global_file_exists(const CString& path);
// True when the file does not exist or was deleted.
bool bwizc_global_delete_file(const CString& path);
// True when src does not exist; otherwise whether it was copied to dst
// (never overwriting dst when fail_if_exists).
bool bwizc_global_copy_file(const CString& src, const CString& dst, bool fail_if_exists);

CString bwizc_global_translate_char(const CString& s, char from, char to);
// Both turn every "\" into "/".
CString bwizc_global_convert_to_intern_delim(const CString& s);
CString bwizc_global_convert_to_platform_delims(const CString& s);
// Appends "/" to a non-empty string not ending in "/"; "" stays "".
void bwizc_global_ensure_terminating_intern_delim(CString& s);
// Appends "/" when s does not end in "/"; "" becomes "/".
void bwizc_global_ensure_terminating_platform_delim(CString& s);

// Absolute path of the generator list, "../libraries/brixfunctions/cgx.lst"
// from the executable's directory.
CString bwizc_global_get_cgx_lst_path();
// Generator library (file name without extension) that serves module,
// according to the generator list; "" when not listed.
CString bwizc_global_get_cgx_dll_name(const CString& module);
// The same lookup in the list file list_path.
CString bwizc_global_get_cgx_dll_name_from_list(const CString& module, const CString& list_path);
// Help viewer command for topic: "hh <help folder>/hdl.chm::<topic>".
CString bwizc_global_get_zephrin_help_path(const CString& topic);

// ---------------------------------------------------------- strings, tokens

// Removes the first token of *s (delimited by any character of delimiters)
// and the delimiters around it; returns the token ("" when none).
CString bwizc_global_extract_token(CString* s, const char* delimiters);
// Optional "-" then only decimal digits ("-" alone counts); "" is not.
bool bwizc_global_token_is_numeric(const CString& s);
// Optional "-" then only digits and at most one ".".
bool bwizc_global_token_is_float_numeric(const CString& s);
// De-escaped text between the first double quote and the next (or the end);
// "" without a double quote.
CString get_quoted_string(const CString& s);
// "\" -> "\\", tab -> "\t", newline -> "\n", in that order.
CString get_escaped_string(const CString& s);
// "\\" -> "\", "\t" -> tab, "\n" -> newline, in that order.
CString get_de_escaped_string(const CString& s);
// s without its first and last characters when it begins with a double
// quote; otherwise s.
CString bwizc_global_extract_double_quoted_string(const CString& s);

// ---------------------------------------------------------------- numbers

CString bwizc_global_int2str(int value);
// 0 unless bwizc_global_token_is_numeric(s).
int bwizc_global_str2int(const CString& s);
// "%f" text cut (never rounded) or padded with zeros to precision decimals;
// precision 0 drops the decimals and the point, a negative precision keeps
// the "%f" text.
CString bwizc_global_float2str(float value, int precision);
CString bwizc_global_double2str(double value, int precision);
// A decimal text trimmed, without the zeros that end its fraction ("622.000"
// -> "622", "1244.1600" -> "1244.16"); a text without "." only trimmed.
CString bwizc_global_strip_fraction_zeros(const CString& text);
// atof in the C locale; text that is not a number gives 0.
float bwizc_global_str2float(const CString& s);
double bwizc_global_str2double(const CString& s);
// True when s sorts above "0" in byte order and is not "FALSE".
bool bwizc_global_str2bool(const CString& s);
// "1" or "0".
CString bwizc_global_bool2str(bool value);
// pow(base, exp) truncated to int.
int bwizc_global_power(int base, int exp);
// Greatest common divisor of two positive ints; 1 when either is below 1.
int bwizc_global_gcd(int a, int b);
void bwizc_global_normalize_fraction(int num, int den, int& num_out, int& den_out);
// Halves round away from zero.
int bwizc_global_round_double(double x);

// ----------------------------------------------------------------- colours

// a + trunc((b - a) * level / levels), capped at 255; a when levels < 1,
// level < 0 or level > levels.
int bwizc_global_get_color_component_from_level(int a, int b, int level, int levels);
// The same for each of red, green and blue.
COLORREF bwizc_global_get_color_from_level(COLORREF c1, COLORREF c2, int level, int levels);
// "#RRGGBB" or "RRGGBB" (hexadecimal, any case) as a COLORREF.
COLORREF bwizc_global_str2COLORREF(const CString& s);

// --------------------------------------------- processes, logging, errors

// Starts the program that command names, with the command's other words as
// its arguments (words are separated by blanks; text in single or double
// quotes may hold blanks). With wait: waits in 10 ms slices,
// pumping messages between slices (bwizc_global_peek_and_pump; a quit
// request ends the process), and returns the exit code (128 + signal when
// killed). Without wait: the exit code when the process has already ended,
// otherwise BWIZC_STILL_ACTIVE. 0 when it could not be started (no such
// program, or an empty command).
int bwizc_global_execute_shell_command(const CString& command, bool wait);
// Opens url in browser (when given) or in the desktop's default browser or
// one of two fallbacks; reports the failure with a message box. True when a
// browser was started.
bool bwizc_global_launch_browser(const CString& url, const CString& browser = CString());
// Writes "\n<Mon dd hhAM:mm:ss>: text" to file ("logy.txt" when empty),
// resolved from the executable's directory; appends unless overwrite.
// False when the file cannot be written.
bool bwizc_global_log_into_file(const CString& text, bool overwrite = false, const CString& file = CString());
// Reports a failed file operation with the message for its cause.
void bwizc_global_display_file_exception(const CFileException& exception);
void bwizc_global_display_file_exception(const CFileException* exception);
// The message text bwizc_global_display_file_exception shows.
CString bwizc_global_get_file_exception_message(const CFileException& exception);
