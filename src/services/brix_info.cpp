#include "services/brix_info.h"

#include <cstdlib>

#include <pugixml.hpp>

int BRIX_PORT_INFO::get_width(int used_width) const {
    if (width_rule.IsEmpty() || width_rule.CompareNoCase("used") == 0) return used_width;
    char* end = nullptr;
    const long width = std::strtol(width_rule.c_str(), &end, 10);
    return end && *end == '\0' && width >= 0 && width <= 100000 ? static_cast<int>(width) : used_width;
}

bool BRIX_INFO::set_function_name(const CString& name, const CString& rules_path) {
    m_name = name;
    m_error.Empty();
    m_ports.clear();

    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(rules_path.c_str());
    if (!parsed) {
        m_error.Format("%s: %s (offset %ld)", rules_path.c_str(), parsed.description(),
                       static_cast<long>(parsed.offset));
        return false;
    }
    const pugi::xml_node root = document.child("brixfunction");
    if (!root || CString(root.attribute("name").value()).CompareNoCase(name) != 0) {
        m_error.Format("%s: no rules for the brixfunction %s", rules_path.c_str(), name.c_str());
        return false;
    }
    for (const pugi::xml_node port : root.child("ports").children("port")) {
        BRIX_PORT_INFO info;
        info.name = port.attribute("name").value();
        info.direction = port.attribute("direction").value();
        info.width_rule = port.attribute("width").value();
        info.description = port.attribute("description").value();
        if (info.name.IsEmpty()) continue;
        if (info.direction != "INPUT" && info.direction != "OUTPUT" && info.direction != "BIDIR") {
            m_error.Format("%s: port %s has the direction \"%s\"", rules_path.c_str(), info.name.c_str(),
                           info.direction.c_str());
            m_ports.clear();
            return false;
        }
        m_ports.push_back(info);
    }
    return true;
}

const BRIX_PORT_INFO* BRIX_INFO::find_port(const CString& name) const {
    for (const BRIX_PORT_INFO& port : m_ports) {
        if (port.name == name) return &port;
    }
    return nullptr;
}
