#include "services/brix_info.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include <pugixml.hpp>

// ------------------------------------------------------------------ ports

int BRIX_PORT_INFO::get_width(int used_width) const {
    if (width_rule.IsEmpty() || width_rule.CompareNoCase("used") == 0) return used_width;
    char* end = nullptr;
    const long width = std::strtol(width_rule.c_str(), &end, 10);
    return end && *end == '\0' && width >= 0 && width <= 100000 ? static_cast<int>(width) : used_width;
}

// ---------------------------------------------------------------- objects

void BRIX_OBJ_INFO::add_value(const CString& value, int index) {
    if (index < 0 || index >= m_values.GetSize()) m_values.Add(value);
    else m_values.InsertAt(index, value);
    m_value = m_values.GetAt(0);
}

BRIX_OBJ_INFO* BRIX_OBJ_MAP::add(std::unique_ptr<BRIX_OBJ_INFO> object) {
    const auto found = m_index.find(object->get_name());
    if (found != m_index.end()) {
        m_order[found->second] = std::move(object);
        return m_order[found->second].get();
    }
    m_index[object->get_name()] = m_order.size();
    m_order.push_back(std::move(object));
    return m_order.back().get();
}

BRIX_OBJ_INFO* BRIX_OBJ_MAP::get(const CString& name) const {
    const auto found = m_index.find(name);
    return found == m_index.end() ? nullptr : m_order[found->second].get();
}

void BRIX_OBJ_MAP::clear() {
    m_order.clear();
    m_index.clear();
    m_next = 0;
}

BRIX_OBJ_INFO* BRIX_OBJ_MAP::get_next_entry(CString& name) {
    if (m_next >= m_order.size()) return nullptr;
    BRIX_OBJ_INFO* object = m_order[m_next++].get();
    name = object->get_name();
    return object;
}

BRIX_OBJ_INFO* BRIX_WIZARD_MAP::get_next_brix_obj() {
    return m_next < entries.size() ? entries[m_next++].object.get() : nullptr;
}

// --------------------------------------------------------------- database

namespace {

// A rules file larger than this is refused rather than read.
constexpr std::streamoff MAX_RULES_FILE_SIZE = 16 << 20;

struct LINE_INDEX {
    std::vector<size_t> starts{0};
    explicit LINE_INDEX(const std::string& text) {
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') starts.push_back(i + 1);
        }
    }
    int line_of(ptrdiff_t offset) const {
        if (offset < 0) return 0;
        return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), static_cast<size_t>(offset)) -
                                starts.begin());
    }
};

int kind_of(const CString& text) {
    if (text.CompareNoCase("numeric") == 0) return BRIX_OBJ_NUMERIC_PARAM;
    if (text.CompareNoCase("string") == 0) return BRIX_OBJ_STRING_PARAM;
    return -1;
}

CString file_part(const CString& path) {
    const int slash = path.ReverseFind('/');
    return slash < 0 ? path : path.Mid(slash + 1);
}

}  // namespace

CString BRIX_INFO::where(int line) const {
    CString text;
    text.Format("%s, line %d: ", m_file_name.c_str(), line);
    return text;
}

void BRIX_INFO::clear() {
    m_ports.clear();
    m_objects.clear();
    m_rules.clear();
    m_maps.clear();
    m_next_map = 0;
    m_errors.clear();
    m_next_error = 0;
}

bool BRIX_INFO::set_function_name(const CString& name, const CString& rules_path, bool ports_only) {
    m_name = name;
    m_file_name = file_part(rules_path);
    clear();
    if (load(rules_path, name, ports_only)) return true;
    // Nothing half-loaded is kept; the messages are.
    std::vector<CString> errors;
    errors.swap(m_errors);
    clear();
    m_errors.swap(errors);
    return false;
}

bool BRIX_INFO::load(const CString& rules_path, const CString& name, bool ports_only) {
    std::ifstream in(rules_path.c_str(), std::ios::binary);
    if (!in) {
        add_error_message(m_file_name + ": cannot read the rules file of " + name + " (" + std::strerror(errno) + ")");
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0 || size > MAX_RULES_FILE_SIZE) {
        add_error_message(m_file_name + ": the rules file is too large or cannot be read");
        return false;
    }
    std::string text(static_cast<size_t>(size), '\0');
    if (size > 0 && !in.read(text.data(), size)) {
        add_error_message(m_file_name + ": cannot read the rules file of " + name);
        return false;
    }
    const LINE_INDEX lines(text);

    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        add_error_message(where(lines.line_of(parsed.offset)) + parsed.description());
        return false;
    }
    const pugi::xml_node root = document.child("brixfunction");
    if (!root || CString(root.attribute("name").value()).CompareNoCase(name) != 0) {
        add_error_message(m_file_name + ": the rules file holds no brixfunction named " + name);
        return false;
    }
    auto line_of = [&](const pugi::xml_node& node) { return lines.line_of(node.offset_debug()); };
    bool ok = true;
    // Every bad expression is reported, not only the first.
    auto parse = [&](BRIX_EXPRESSION& expression, const pugi::xml_node& node, const char* attribute,
                     bool collection) {
        const char* text_value = node.attribute(attribute).value();
        if (!*text_value) return;
        CString error;
        if (!expression.parse(text_value, error, collection)) {
            add_error_message(where(line_of(node)) + error + " in " + attribute + "=\"" + text_value + "\"");
            ok = false;
        }
    };
    auto required = [&](const pugi::xml_node& node, const char* attribute) {
        if (*node.attribute(attribute).value()) return true;
        add_error_message(where(line_of(node)) + "<" + node.name() + "> needs the attribute " + attribute);
        ok = false;
        return false;
    };

    for (const pugi::xml_node port : root.child("ports").children("port")) {
        BRIX_PORT_INFO info;
        info.name = port.attribute("name").value();
        info.direction = port.attribute("direction").value();
        info.width_rule = port.attribute("width").value();
        info.description = port.attribute("description").value();
        if (info.name.IsEmpty()) continue;
        int kind = BRIX_OBJ_INPUT_PORT;
        if (info.direction == "OUTPUT") kind = BRIX_OBJ_OUTPUT_PORT;
        else if (info.direction == "BIDIR") kind = BRIX_OBJ_BIDIR_PORT;
        else if (info.direction != "INPUT") {
            add_error_message(where(line_of(port)) + "port " + info.name + " has the direction \"" + info.direction +
                              "\"");
            return false;
        }
        if (port.attribute("clock").as_bool()) kind = BRIX_OBJ_CLOCK_PORT;
        m_ports.push_back(info);
        auto object = std::make_unique<BRIX_OBJ_INFO>(info.name, kind);
        object->line = line_of(port);
        object->set_used(false);
        m_objects.add(std::move(object));
    }

    if (ports_only) return true;

    for (const pugi::xml_node parameter : root.child("parameters").children("parameter")) {
        if (!required(parameter, "name") || !required(parameter, "kind")) continue;
        const int kind = kind_of(parameter.attribute("kind").value());
        if (kind < 0) {
            add_error_message(where(line_of(parameter)) + "unknown kind \"" + parameter.attribute("kind").value() +
                              "\"");
            ok = false;
            continue;
        }
        auto object = std::make_unique<BRIX_OBJ_INFO>(parameter.attribute("name").value(), kind);
        object->line = line_of(parameter);
        object->default_value = parameter.attribute("default").value();
        object->set_value(object->default_value);
        parse(object->allowed, parameter, "allowed", true);
        m_objects.add(std::move(object));
    }

    // A rule may name several objects; each gets its own copy.
    for (const pugi::xml_node node : root.child("rules").children("rule")) {
        if (!required(node, "object") || !required(node, "allowed")) continue;
        for (int i = 0;; ++i) {
            const CString object_name = cgx_get_token_at_index(node.attribute("object").value(), i);
            if (object_name.IsEmpty()) break;
            BRIX_RULE rule;
            rule.object = object_name;
            rule.reason = node.attribute("reason").value();
            rule.supplied_only = node.attribute("supplied_only").as_bool();
            rule.line = line_of(node);
            parse(rule.when, node, "when", false);
            parse(rule.allowed, node, "allowed", true);
            if (!m_objects.get(rule.object)) {
                add_error_message(where(rule.line) + "rule for the unknown object " + rule.object);
                ok = false;
            }
            m_rules.push_back(std::move(rule));
        }
    }

    for (const pugi::xml_node node : root.children("wizard")) {
        auto map = std::make_unique<BRIX_WIZARD_MAP>();
        map->name = node.attribute("name").value();
        map->line = line_of(node);
        parse(map->condition, node, "condition", false);
        std::vector<pugi::xml_node> items;
        for (const pugi::xml_node item : node.children()) items.push_back(item);
        // Objects every map yields are listed once, in <common>.
        for (const pugi::xml_node item : root.child("common").children()) items.push_back(item);
        for (const pugi::xml_node item : items) {
            const CString tag = item.name();
            const bool is_port = tag == "port" || tag == "ports";
            if (!is_port && tag != "private" && tag != "constant" && tag != "constants") continue;
            // "constants" and "ports" list several objects that take their
            // own values.
            CStringArray names;
            if (tag == "constants" || tag == "ports") {
                if (!required(item, "names")) continue;
                for (int i = 0;; ++i) {
                    const CString token = cgx_get_token_at_index(item.attribute("names").value(), i);
                    if (token.IsEmpty()) break;
                    names.Add(token);
                }
            } else {
                if (!required(item, "name")) continue;
                names.Add(item.attribute("name").value());
            }
            for (int i = 0; i < names.GetSize(); ++i) {
                const CString object_name = names.GetAt(i);
                const BRIX_OBJ_INFO* known = m_objects.get(object_name);
                int kind = BRIX_OBJ_OTHER;
                if (is_port) {
                    if (!known || !known->is_port()) {
                        add_error_message(where(line_of(item)) + "unknown port " + object_name);
                        ok = false;
                        continue;
                    }
                    kind = known->get_kind();
                } else if (*item.attribute("kind").value()) {
                    kind = kind_of(item.attribute("kind").value());
                } else if (known && known->is_parameter()) {
                    kind = known->get_kind();
                } else {
                    kind = BRIX_OBJ_STRING_PARAM;
                }
                if (kind < 0) {
                    add_error_message(where(line_of(item)) + "unknown kind \"" + item.attribute("kind").value() + "\"");
                    ok = false;
                    continue;
                }
                BRIX_WIZARD_MAP::ENTRY entry;
                entry.object = std::make_unique<BRIX_OBJ_INFO>(object_name, kind);
                entry.object->line = line_of(item);
                entry.object->set_constant(tag == "constant" || tag == "constants");
                CString error;
                const char* attribute = is_port ? "used" : "value";
                CString text = (tag == "port" || tag == "private" || tag == "constant")
                                   ? CString(item.attribute(attribute).value())
                                   : CString();
                if (text.IsEmpty()) text = is_port ? "used_port(" + object_name + ")" : object_name;
                if (!entry.value.parse(text, error)) {
                    add_error_message(where(line_of(item)) + error + " in " + attribute + "=\"" + text + "\"");
                    ok = false;
                }
                parse(entry.when, item, "when", false);
                map->entries.push_back(std::move(entry));
            }
        }
        m_maps.push_back(std::move(map));
    }
    return ok;
}

const BRIX_PORT_INFO* BRIX_INFO::find_port(const CString& name) const {
    for (const BRIX_PORT_INFO& port : m_ports) {
        if (port.name == name) return &port;
    }
    return nullptr;
}

BRIX_OBJ_INFO* BRIX_INFO::add_brix_object(const CString& name, int type) {
    if (BRIX_OBJ_INFO* existing = m_objects.get(name)) return existing;
    return m_objects.add(std::make_unique<BRIX_OBJ_INFO>(name, type));
}

BRIX_WIZARD_MAP* BRIX_INFO::get_next_wizard_map() {
    return m_next_map < m_maps.size() ? m_maps[m_next_map++].get() : nullptr;
}

CString BRIX_INFO::get_next_error_message() {
    return m_next_error < m_errors.size() ? m_errors[m_next_error++] : CString();
}

// ---------------------------------------------------------------- helpers

CString cgx_int_to_string(long long value, int base) {
    if (base < 2 || base > 36) base = 10;
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::string digits;
    do {
        const unsigned digit = static_cast<unsigned>(magnitude % static_cast<unsigned>(base));
        digits.insert(digits.begin(), static_cast<char>(digit < 10 ? '0' + digit : 'a' + digit - 10));
        magnitude /= static_cast<unsigned>(base);
    } while (magnitude);
    if (negative) digits.insert(digits.begin(), '-');
    return CString(digits);
}

CString cgx_get_token_at_index(const CString& text, int index) {
    std::istringstream in(text.str());
    std::string token;
    for (int i = 0; in >> token; ++i) {
        if (i == index) return CString(token);
    }
    return CString();
}
