#include "cnx/crrules_validator.h"

#include <set>

CRules_Validator::CRules_Validator(const CString& brixfunction_name, const CString& rules_file)
    : m_validator(std::make_unique<BRIX_RULES_VALIDATOR>(brixfunction_name, rules_file)) {}

bool CRules_Validator::run_validator() {
    BRIX_INFO& info = get_brix_info();
    info.clear_error_messages();
    if (m_validator->run_validator()) return true;
    if (!m_validator->is_loaded()) return false;

    // A fixed object can make another one's rules fail (a protocol fixed by
    // the caller moves the datapath, which moves the coding), so the pass
    // repeats until nothing more can be fixed; no object is adjusted twice.
    std::set<CString> adjusted;
    for (bool changed = true; changed;) {
        changed = false;
        BRIX_OBJ_MAP& objects = info.get_obj_map();
        objects.reset_iteration();
        CString name;
        while (BRIX_OBJ_INFO* object = objects.get_next_entry(name)) {
            if (is_supplied_name(name) || object->is_supplied() || adjusted.count(name)) continue;
            CString allowed;
            if (!m_validator->get_allowed_value(name, allowed)) continue;
            if (object->is_port()) object->set_used(allowed.CompareNoCase("true") == 0);
            else object->set_value(allowed);
            adjusted.insert(name);
            changed = true;
        }
    }
    info.clear_error_messages();
    return m_validator->run_validator();
}

bool CRules_Validator::do_wizard_mapping() {
    BRIX_INFO& info = get_brix_info();
    info.reset_wizard_map_iteration();
    m_selected_map = nullptr;
    bool result = false;
    int qualifying = 0;
    while (BRIX_WIZARD_MAP* map = info.get_next_wizard_map()) {
        bool qualifies = !map->has_condition();
        if (!qualifies) qualifies = m_validator->evaluate_expression(map->condition, map->line) == "true";
        if (!qualifies) continue;
        if (++qualifying == 1) {
            m_selected_map = map;
            result = true;
        } else {
            result = false;
        }
    }
    if (m_selected_map && result) m_validator->evaluate_wizard_map(m_selected_map);
    return result;
}
