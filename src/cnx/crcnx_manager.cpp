#include "cnx/crcnx_manager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/message_box.h"
#include "services/mfam.h"
#include "support/bwizc_global.h"

namespace {

// Token delimiters of a CNX line.
constexpr char CNX_BLANKS[] = " \t\n";
constexpr char CNX_QUOTE[] = "\"";
constexpr char CNX_HELP_SEPARATOR[] = "$";

// Stores item under key, destroying a record it replaces.
template <class T>
void replace_in(BWIZC_OBJ_MAP<T>& table, const CString& key, T* item) {
    T* old = table.set_at(key, item);
    if (old != item) delete old;
}

// Builds the written text. Fields are cut at an embedded NUL byte, as a
// C-string field would be, so the text itself never holds one.
class CNX_TEXT_WRITER {
public:
    explicit CNX_TEXT_WRITER(bool prefix_flag) : m_prefix(prefix_flag ? "-" : "") {}

    CNX_TEXT_WRITER& begin_line() {
        m_out += m_prefix;
        return *this;
    }
    CNX_TEXT_WRITER& field(const CString& s) {
        m_out += s.c_str();
        return *this;
    }
    CNX_TEXT_WRITER& blank_field(const CString& s) {
        m_out += ' ';
        return field(s);
    }
    CNX_TEXT_WRITER& blank_quoted(const CString& s) {
        m_out += " \"";
        field(s);
        m_out += '"';
        return *this;
    }
    CNX_TEXT_WRITER& blank_numbers(int n1, int n2, int n3, int n4) {
        CString numbers;
        numbers.Format(" %d %d %d %d", n1, n2, n3, n4);
        m_out += numbers.str();
        return *this;
    }
    void end_line() { m_out += '\n'; }
    void empty_line() { begin_line().end_line(); }
    // A block of whole lines, each given the line prefix.
    void block(const CString& text) {
        const std::string s = text.c_str();
        size_t start = 0;
        while (start < s.size()) {
            size_t nl = s.find('\n', start);
            size_t end = nl == std::string::npos ? s.size() : nl + 1;
            m_out += m_prefix;
            m_out.append(s, start, end - start);
            start = end;
        }
    }

    std::string& text() { return m_out; }

private:
    const char* m_prefix;
    std::string m_out;
};

template <class T>
void collect_sorted(const BWIZC_OBJ_MAP<T>& table, BWIZC_CNX_ITEM_LIST& list) {
    list.remove_all();
    for (const auto& entry : table) list.add(entry.second);
    list.sort_items_by_name();
}

// PRIVATE, PARAMETER and CONSTANT lines share their format.
template <class T>
void write_typed_section(CNX_TEXT_WRITER& w, const BWIZC_OBJ_MAP<T>& table) {
    if (table.is_empty()) return;
    BWIZC_CNX_ITEM_LIST sorted(table.get_count());
    collect_sorted(table, sorted);
    for (CRCNX_ITEM* p : sorted) {
        const T* item = static_cast<const T*>(p);
        w.begin_line()
            .field(T::LINE_IDENTIFIER)
            .blank_field(item->get_name())
            .blank_field(item->get_type())
            .blank_quoted(get_escaped_string(item->get_value()))
            .end_line();
    }
    w.empty_line();
}

}  // namespace

struct CRCNX_MANAGER::READ_STATE {
    bool collecting_parts = false;
    CStringArray parts;
    CString family_name;
    CString family_note;
};

CRCNX_MANAGER::CRCNX_MANAGER() = default;
CRCNX_MANAGER::~CRCNX_MANAGER() = default;

// ------------------------------------------------------------------ adding

void CRCNX_MANAGER::add_cnx_module(CRCNX_ITEM_MODULE* item) {
    if (item) replace_in(m_module_table, item->get_name(), item);
}
void CRCNX_MANAGER::add_cnx_private(CRCNX_ITEM_PRIVATE* item) {
    if (item) replace_in(m_private_table, item->get_name(), item);
}
void CRCNX_MANAGER::add_cnx_parameter(CRCNX_ITEM_PARAMETER* item) {
    if (item) replace_in(m_parameter_table, item->get_name(), item);
}
void CRCNX_MANAGER::add_cnx_constant(CRCNX_ITEM_CONSTANT* item) {
    if (item) replace_in(m_constant_table, item->get_name(), item);
}
void CRCNX_MANAGER::add_cnx_port(CRCNX_ITEM_USED_PORT* item) {
    if (item) replace_in(m_port_table, item->get_name(), item);
}
void CRCNX_MANAGER::add_cnx_connection(CRCNX_ITEM_CONNECTION* item) {
    if (item) replace_in(m_connection_table, item->get_key(), item);
}
void CRCNX_MANAGER::add_cnx_gen_file(CRCNX_ITEM_GEN_FILE* item) {
    if (item) m_gen_file_list.add_tail(item);
}
void CRCNX_MANAGER::add_cnx_err_msg(CRCNX_ITEM_ERR_MSG* item) {
    if (item) m_err_msg_list.add_tail(item);
}
void CRCNX_MANAGER::add_cnx_help_menu_item(CRCNX_ITEM_HELP_MENU_ITEM* item) {
    if (item) m_help_menu_list.add_tail(item);
}

void CRCNX_MANAGER::delete_all_written_items() {
    m_module_table.delete_all();
    m_cgxdll_table.delete_all();
    m_library_table.delete_all();
    m_private_table.delete_all();
    m_parameter_table.delete_all();
    m_constant_table.delete_all();
    m_port_table.delete_all();
    m_connection_table.delete_all();
}

// ----------------------------------------------------------------- queries

CString CRCNX_MANAGER::get_wizard_title(const CString& command_line_title) const {
    return m_title.IsEmpty() ? command_line_title : m_title;
}

CString CRCNX_MANAGER::get_wizard_subtitle(const CString& command_line_subtitle) const {
    return m_subtitle.IsEmpty() ? command_line_subtitle : m_subtitle;
}

CString CRCNX_MANAGER::get_gen_file_namepath(int i) const {
    const CRCNX_ITEM_GEN_FILE* item = m_gen_file_list.get_at(i);
    return item ? item->get_file_name() : CString();
}

CString CRCNX_MANAGER::get_gen_file_type(int i) const {
    const CRCNX_ITEM_GEN_FILE* item = m_gen_file_list.get_at(i);
    return item ? item->get_type() : CString();
}

bool CRCNX_MANAGER::is_gen_file_checked(int i) const {
    const CRCNX_ITEM_GEN_FILE* item = m_gen_file_list.get_at(i);
    return item && item->is_checked();
}

bool CRCNX_MANAGER::is_gen_file_checked_state_persistent(int i) const {
    const CRCNX_ITEM_GEN_FILE* item = m_gen_file_list.get_at(i);
    return item && item->is_checked_state_persistent();
}

// ----------------------------------------------------------------- reading

void CRCNX_MANAGER::store_part_table(READ_STATE& state) {
    replace_in(m_part_tables, state.family_name, new CStringArray(state.parts));
    state.collecting_parts = false;
    state.parts.RemoveAll();
    state.family_name.Empty();
    state.family_note.Empty();
}

void CRCNX_MANAGER::end_cnx_reading(READ_STATE& state) {
    if (state.collecting_parts) store_part_table(state);
}

void CRCNX_MANAGER::read_cnx_line(const CString& line, READ_STATE& state) {
    // A line is its text up to the first NUL byte, as a C line buffer holds
    // it: no name or value keeps a NUL, so what is written reads back alike.
    const std::string& raw = line.str();
    CString rest(raw.substr(0, raw.find('\0')));
    const CString identifier = bwizc_global_extract_token(&rest, CNX_BLANKS);
    if (identifier.IsEmpty()) return;

    const bool is_part_line = identifier == CRCNX_ITEM_DEVICE_PART_INFO::LINE_IDENTIFIER;
    if (!is_part_line && state.collecting_parts) store_part_table(state);

    if (is_part_line) {
        CString part = bwizc_global_extract_token(&rest, CNX_QUOTE);
        part.Trim();
        if (!state.collecting_parts) {
            state.collecting_parts = true;
            state.parts.RemoveAll();
            state.parts.Add(state.family_note);
        }
        if (!part.IsEmpty()) state.parts.Add(part);
        return;
    }

    // PRIVATE, PARAMETER and CONSTANT: name, type word, quoted value.
    const bool is_private = identifier == CRCNX_ITEM_PRIVATE::LINE_IDENTIFIER;
    const bool is_parameter = identifier == CRCNX_ITEM_PARAMETER::LINE_IDENTIFIER;
    const bool is_constant = identifier == CRCNX_ITEM_CONSTANT::LINE_IDENTIFIER;
    if (is_private || is_parameter || is_constant) {
        const CString name = bwizc_global_extract_token(&rest, CNX_BLANKS);
        // A record without a name would be written with a double blank and
        // read back with its fields shifted.
        if (name.IsEmpty()) return;
        const CString type_token = bwizc_global_extract_token(&rest, CNX_BLANKS);
        CString value = get_quoted_string(rest);
        const CString type = type_token == CRCNX_ITEM_TYPED_VALUE::NUMERIC_TYPE ? CRCNX_ITEM_TYPED_VALUE::NUMERIC_TYPE
                                                                                 : CRCNX_ITEM_TYPED_VALUE::STRING_TYPE;
        if (is_private) {
            // Variations saved by earlier releases name their family by a
            // retired name; the wizard only knows the current one.
            if (const char* current = mfam_get_current_name_of_retired_family(value.c_str())) value = current;
            add_cnx_private(new CRCNX_ITEM_PRIVATE(name, type, value));
        } else if (is_parameter) {
            add_cnx_parameter(new CRCNX_ITEM_PARAMETER(name, type, value));
        } else {
            replace_in(m_read_constant_table, name, new CRCNX_ITEM_CONSTANT(name, type, value));
        }
        return;
    }

    if (identifier == CRCNX_ITEM_USED_PORT::LINE_IDENTIFIER) {
        auto* port = new CRCNX_ITEM_USED_PORT();
        port->set_name(bwizc_global_extract_token(&rest, CNX_BLANKS));
        port->m_a_size = bwizc_global_str2int(bwizc_global_extract_token(&rest, CNX_BLANKS));
        port->m_a_low = bwizc_global_str2int(bwizc_global_extract_token(&rest, CNX_BLANKS));
        port->m_b_size = bwizc_global_str2int(bwizc_global_extract_token(&rest, CNX_BLANKS));
        port->m_b_low = bwizc_global_str2int(bwizc_global_extract_token(&rest, CNX_BLANKS));
        port->m_port_type = bwizc_global_extract_token(&rest, CNX_BLANKS);
        port->m_default_value = bwizc_global_extract_token(&rest, CNX_BLANKS);
        replace_in(m_read_port_table, port->get_name(), port);
        return;
    }

    if (identifier == CRCNX_ITEM_DEVICE_FAMILY_SUPPORT::LINE_IDENTIFIER) {
        m_device_support_flag = true;
        const CString family = bwizc_global_extract_token(&rest, CNX_QUOTE);
        if (family.IsEmpty()) return;
        const CString note = bwizc_global_extract_token(&rest, CNX_QUOTE);
        replace_in(m_device_family_support_table, family, new CRCNX_ITEM_DEVICE_FAMILY_SUPPORT(family));
        state.family_name = family;
        state.family_note = note;
        return;
    }

    if (identifier == CRCNX_ITEM_GEN_FILE::LINE_IDENTIFIER) {
        const CString type = bwizc_global_extract_token(&rest, CNX_BLANKS);
        // Written escaped, so read de-escaped: every save gives the same name.
        const CString file_name = get_de_escaped_string(bwizc_global_extract_token(&rest, CNX_BLANKS));
        if (file_name.IsEmpty()) return;
        const bool checked = bwizc_global_str2bool(bwizc_global_extract_token(&rest, CNX_BLANKS));
        m_gen_file_list.add_tail(new CRCNX_ITEM_GEN_FILE(type, file_name, checked, true));
        return;
    }

    if (identifier == CRCNX_ITEM_HELP_MENU_ITEM::LINE_IDENTIFIER) {
        const bool flag = bwizc_global_str2bool(bwizc_global_extract_token(&rest, CNX_BLANKS));
        CString texts = bwizc_global_extract_double_quoted_string(rest);
        const CString first = bwizc_global_extract_token(&texts, CNX_HELP_SEPARATOR);
        const CString second = bwizc_global_extract_token(&texts, CNX_HELP_SEPARATOR);
        m_help_menu_list.add_tail(new CRCNX_ITEM_HELP_MENU_ITEM(first, second, texts, flag));
        return;
    }

    struct HOST_TEXT {
        const char* identifier;
        CString CRCNX_MANAGER::*text;
    };
    static const HOST_TEXT host_texts[] = {
        {CRCNX_WIZARD_TITLE_LINE_IDENTIFIER, &CRCNX_MANAGER::m_title},
        {CRCNX_WIZARD_SUBTITLE_LINE_IDENTIFIER, &CRCNX_MANAGER::m_subtitle},
        {CRCNX_ZEPHRIN_VERSION_LINE_IDENTIFIER, &CRCNX_MANAGER::m_zephrin_version},
        {CRCNX_ZEPHRIN_SVERSION_LINE_IDENTIFIER, &CRCNX_MANAGER::m_zephrin_short_version},
        {CRCNX_ZEPHRIN_BUILD_DATE_LINE_IDENTIFIER, &CRCNX_MANAGER::m_zephrin_build_date},
        {CRCNX_KORVEL_COPYRIGHT_LINE_IDENTIFIER, &CRCNX_MANAGER::m_korvel_copyright},
        {CRCNX_LOGO_FILE_PATHNAME_LINE_IDENTIFIER, &CRCNX_MANAGER::m_logo_file_pathname},
    };
    for (const HOST_TEXT& h : host_texts) {
        if (identifier == h.identifier) {
            this->*h.text = bwizc_global_extract_double_quoted_string(rest);
            return;
        }
    }
    // ERR_MSG lines, the lines the wizard writes for the plug-in manager
    // (GENERATION, VERSION, MODULE, CGXDLL, LIBRARY, CONNECT), symbol lines
    // and anything unknown carry nothing the wizard reads back.
}

bool CRCNX_MANAGER::read_cnx_info_from_file(CStdioFile* file) {
    m_read_constant_table.delete_all();
    m_read_port_table.delete_all();
    if (!file) return true;
    READ_STATE state;
    CString line;
    int read_error = 0;
    long long bytes_read = 0;
    for (;;) {
        errno = 0;
        bool too_long = false;
        if (!file->ReadString(line, MAX_LINE_LENGTH, &too_long)) {
            read_error = errno;
            break;
        }
        // A file that grows while it is read stops at the size cap.
        bytes_read += (too_long ? static_cast<long long>(MAX_LINE_LENGTH) : line.GetLength()) + 1;
        if (bytes_read > MAX_FILE_SIZE) break;
        if (!too_long) read_cnx_line(line, state);
    }
    end_cnx_reading(state);
    if (read_error != 0) {
        bwizc_global_display_file_exception(
            CFileException(CFileException::cause_from_errno(read_error), file->GetFilePath()));
    }
    return true;
}

void CRCNX_MANAGER::read_cnx_info_from_text(const CString& text) {
    m_read_constant_table.delete_all();
    m_read_port_table.delete_all();
    READ_STATE state;
    const std::string& s = text.str();
    size_t start = 0;
    while (start < s.size()) {
        size_t nl = s.find('\n', start);
        size_t end = nl == std::string::npos ? s.size() : nl;
        size_t len = end - start;
        if (len > 0 && s[end - 1] == '\r') --len;
        if (len <= MAX_LINE_LENGTH) read_cnx_line(CString(std::string_view(s).substr(start, len)), state);
        start = nl == std::string::npos ? s.size() : nl + 1;
    }
    end_cnx_reading(state);
}

CRCNX_MANAGER::OPEN_RESULT CRCNX_MANAGER::open_cnx_file(const CString& path, CStdioFile& file,
                                                        CFileException* error) {
    CFileException open_error;
    if (!file.OpenRegularForRead(path, &open_error)) {
        if (error) *error = open_error;
        return open_error.m_cause == CFileException::invalidFile ? CNX_NOT_REGULAR : CNX_CANNOT_OPEN;
    }
    if (file.GetLength() > MAX_FILE_SIZE) {
        file.Close();
        return CNX_TOO_LARGE;
    }
    return CNX_OPENED;
}

bool CRCNX_MANAGER::read_cnx_file(const CString& path) {
    CStdioFile file;
    switch (open_cnx_file(path, file, nullptr)) {
    case CNX_OPENED: return read_cnx_info_from_file(&file);
    case CNX_TOO_LARGE: {
        CString message;
        message.Format("Error: CNX file %s is larger than %d MiB and is not read", path.c_str(),
                       static_cast<int>(MAX_FILE_SIZE >> 20));
        bwizc_message_box(message);
        return false;
    }
    default:
        // Missing, unreadable or not a regular file: a new variation (the
        // write refuses to replace what is not a regular file).
        return false;
    }
}

// ----------------------------------------------------------------- writing

CString CRCNX_MANAGER::get_cnx_text(const CString& default_module_name, bool prefix_flag) {
    CNX_TEXT_WRITER w(prefix_flag);
    w.text().reserve(4096);
    w.begin_line().field(CRCNX_GENERATION_LINE).end_line();
    w.begin_line().field(CRCNX_VERSION_LINE).end_line();

    if (m_module_table.is_empty()) add_cnx_module(new CRCNX_ITEM_MODULE(default_module_name, CString()));
    for (const auto& entry : m_module_table) {
        const CRCNX_ITEM_MODULE* item = entry.second;
        w.begin_line()
            .field(CRCNX_ITEM_MODULE::LINE_IDENTIFIER)
            .blank_field(item->get_name())
            .blank_field(item->get_module_text())
            .end_line();
    }
    w.empty_line();

    if (!m_cgxdll_table.is_empty()) {
        for (const auto& entry : m_cgxdll_table) {
            w.begin_line()
                .field(CRCNX_ITEM_CGXDLL::LINE_IDENTIFIER)
                .blank_field(get_escaped_string(entry.second->get_value()))
                .end_line();
        }
        w.empty_line();
    }

    write_typed_section(w, m_private_table);

    if (!m_library_table.is_empty()) {
        for (const auto& entry : m_library_table) {
            const CRCNX_ITEM_LIBRARY* item = entry.second;
            w.begin_line()
                .field(CRCNX_ITEM_LIBRARY::LINE_IDENTIFIER)
                .blank_field(item->get_name())
                .blank_field(item->get_value())
                .end_line();
        }
        w.empty_line();
    }

    write_typed_section(w, m_parameter_table);
    write_typed_section(w, m_constant_table);

    if (!m_port_table.is_empty()) {
        BWIZC_CNX_ITEM_LIST sorted(m_port_table.get_count());
        collect_sorted(m_port_table, sorted);
        for (CRCNX_ITEM* p : sorted) {
            const auto* port = static_cast<const CRCNX_ITEM_USED_PORT*>(p);
            w.begin_line()
                .field(CRCNX_ITEM_USED_PORT::LINE_IDENTIFIER)
                .blank_field(port->get_name())
                .blank_numbers(port->m_b_size, port->m_b_low, port->m_a_size, port->m_a_low)
                .blank_field(port->get_port_type())
                .blank_field(port->get_default_value())
                .blank_quoted(port->get_signal_text())
                .end_line();
        }
        w.empty_line();
    }

    if (!m_connection_table.is_empty()) {
        for (const auto& entry : m_connection_table) {
            const CRCNX_ITEM_CONNECTION* c = entry.second;
            w.begin_line()
                .field(CRCNX_ITEM_CONNECTION::LINE_IDENTIFIER)
                .blank_field(c->m_port_name)
                .blank_numbers(c->m_b_size, c->m_b_low, c->m_a_size, c->m_a_low)
                .blank_field(c->m_other_port_name)
                .blank_numbers(c->m_other_b_size, c->m_other_b_low, c->m_other_a_size, c->m_other_a_low)
                .end_line();
        }
        w.empty_line();
    }

    if (!m_gen_file_list.is_empty()) {
        for (const CRCNX_ITEM_GEN_FILE* item : m_gen_file_list) {
            // A persistent checked state is marked by a fifth word; otherwise
            // the line ends with the blank before the empty fifth field.
            w.begin_line()
                .field(CRCNX_ITEM_GEN_FILE::LINE_IDENTIFIER)
                .blank_field(item->get_type())
                .blank_field(get_escaped_string(item->get_file_name()))
                .blank_field(item->is_checked() ? BWIZC_LOGICAL_TRUE_STRING : BWIZC_LOGICAL_FALSE_STRING)
                .blank_field(item->is_checked_state_persistent() ? BWIZC_LOGICAL_FALSE_STRING : CString())
                .end_line();
        }
        w.empty_line();
    }

    if (!m_err_msg_list.is_empty()) {
        for (const CRCNX_ITEM_ERR_MSG* item : m_err_msg_list) {
            w.begin_line().field(CRCNX_ITEM_ERR_MSG::LINE_IDENTIFIER).blank_field(item->get_message()).end_line();
        }
        w.empty_line();
    }

    if (m_symbol_outline) {
        const CRect extent = m_symbol_outline->get_extent();
        w.block(m_symbol_outline->generate_cnx(extent.Height() - 1, CPoint(0, 0), true));
    }
    return CString(std::move(w.text()));
}

bool CRCNX_MANAGER::write_cnx_info_to_file(CStdioFile* file, const CString& default_module_name, bool prefix_flag) {
    const CString text = get_cnx_text(default_module_name, prefix_flag);
    // The answer is always true; a failed write shows in the file's error.
    if (file) file->WriteString(text);
    return true;
}

namespace {

// The folder part of path with its trailing slash; "" for a bare name.
CString folder_of(const CString& path) {
    const int slash = path.ReverseFind('/');
    return slash >= 0 ? path.Left(slash + 1) : CString();
}

// Where a write to path goes, or "" with *refusal set. A symbolic link is
// followed only to a target inside the folder that holds the link: the
// wizard never writes outside the design file's folder. A dangling link or a
// link loop is refused the same way.
CString resolve_write_target(const CString& path, CString* refusal) {
    struct stat st;
    if (lstat(path, &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char text[PATH_MAX];
    const ssize_t n = readlink(path, text, sizeof text - 1);
    const CString link_text = n >= 0 ? CString(text, static_cast<int>(n)) : CString();
    const CString folder = folder_of(path);
    char resolved[PATH_MAX];
    char resolved_folder[PATH_MAX];
    if (!realpath(path, resolved)) {
        refusal->Format("Error: CNX file %s is a symbolic link to %s, which cannot be resolved; it was not written",
                        path.c_str(), link_text.c_str());
        return CString();
    }
    if (realpath(folder.IsEmpty() ? "." : folder.c_str(), resolved_folder)) {
        std::string inside = resolved_folder;
        if (inside.empty() || inside.back() != '/') inside += '/';
        if (std::string(resolved).rfind(inside, 0) == 0) return CString(resolved);
    }
    refusal->Format("Error: CNX file %s is a symbolic link to %s, outside the design file's folder; it was not written",
                    path.c_str(), resolved);
    return CString();
}

// Writes the whole text to the file as it stands; 0 or the errno of the failure.
int write_text_to(CRCNX_MANAGER& manager, const CString& path, unsigned flags, const CString& default_module_name,
                  bool prefix_flag) {
    CStdioFile file;
    if (!file.Open(path, flags)) return file.last_error() ? file.last_error() : EIO;
    manager.write_cnx_info_to_file(&file, default_module_name, prefix_flag);
    const bool written = file.last_error() == 0 && file.Flush();
    const int error = file.last_error();
    file.Close();
    return written ? 0 : (error ? error : EIO);
}

}  // namespace

bool CRCNX_MANAGER::write_cnx_file(const CString& path, const CString& default_module_name, bool prefix_flag,
                                   bool report_errors) {
    // A refusal is always reported: the caller could not tell it from a
    // written file otherwise.
    auto refuse = [&](const CString& message) {
        bwizc_message_box(message);
        return false;
    };
    auto fail = [&](int err, const CString& temp) {
        if (!temp.IsEmpty()) unlink(temp);
        if (report_errors) {
            bwizc_global_display_file_exception(CFileException(CFileException::cause_from_errno(err ? err : EIO), path));
        }
        return false;
    };

    CString refusal;
    const CString target = resolve_write_target(path, &refusal);
    if (target.IsEmpty()) return refuse(refusal);
    struct stat st;
    const bool exists = stat(target, &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        refusal.Format("Error: CNX file %s is not a regular file; it was not written", path.c_str());
        return refuse(refusal);
    }
    const unsigned in_place_flags = CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText;
    // Other hard links would keep the old text after a rename.
    if (exists && st.st_nlink > 1) {
        const int err = write_text_to(*this, target, in_place_flags, default_module_name, prefix_flag);
        return err == 0 || fail(err, CString());
    }

    // The temporary file is created exclusively, so two writers never share it.
    static unsigned counter = 0;
    const CString dir = folder_of(target);
    CString temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp.Format("%s.cnxtmp.%ld.%u", dir.c_str(), static_cast<long>(getpid()), counter++);
        fd = open(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int err = errno;
        // A folder that takes no new file while the file itself may be written.
        if (exists && (err == EACCES || err == EPERM) && access(target, W_OK) == 0) {
            const int in_place_err = write_text_to(*this, target, in_place_flags, default_module_name, prefix_flag);
            return in_place_err == 0 || fail(in_place_err, CString());
        }
        return fail(err, CString());
    }
    // The replaced file keeps its owner (where we may give it) and permissions.
    if (exists) {
        if (fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Not ours to give: the file becomes the writer's.
        }
        fchmod(fd, st.st_mode & 07777);
    }
    close(fd);

    const int err = write_text_to(*this, temp, CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText,
                                  default_module_name, prefix_flag);
    if (err != 0) return fail(err, temp);
    if (rename(temp, target) != 0) return fail(errno, temp);
    return true;
}
