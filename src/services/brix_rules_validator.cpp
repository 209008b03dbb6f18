#include "services/brix_rules_validator.h"

BRIX_RULES_VALIDATOR::BRIX_RULES_VALIDATOR(const CString& name, const CString& rules_path) {
    m_loaded = m_info.set_function_name(name, rules_path);
}

void BRIX_RULES_VALIDATOR::initialize_validator() {
    BRIX_OBJ_MAP& objects = m_info.get_obj_map();
    for (size_t i = 0; i < objects.size(); ++i) {
        BRIX_OBJ_INFO* object = objects.at(i);
        if (object->is_parameter()) object->set_value(object->default_value);
        else if (object->is_port()) object->set_used(false);
        object->set_supplied(false);
        object->set_selected(false);
    }
    m_info.clear_error_messages();
}

BRIX_OBJ_INFO* BRIX_RULES_VALIDATOR::get_parameter_object(const CString& name) const {
    BRIX_OBJ_INFO* object = m_info.get_brix_obj(name);
    return object && object->is_parameter() ? object : nullptr;
}

BRIX_OBJ_INFO* BRIX_RULES_VALIDATOR::get_port_object(const CString& name) const {
    BRIX_OBJ_INFO* object = m_info.get_brix_obj(name);
    return object && object->is_port() ? object : nullptr;
}

bool BRIX_RULES_VALIDATOR::set_parameter_value(const CString& name, const CString& value) {
    BRIX_OBJ_INFO* object = get_parameter_object(name);
    if (!object) return false;
    object->set_value(value);
    return true;
}

const BRIX_EXPRESSION* BRIX_RULES_VALIDATOR::find_failing_rule(const BRIX_OBJ_INFO& object, CString* message) {
    const BRIX_VALUE value = BRIX_VALUE::of_text(object.get_value());
    CString error;
    auto report = [&](int line, const CString& text) {
        if (message) *message = m_info.where(line) + text;
    };
    auto check = [&](const BRIX_EXPRESSION& allowed, const CString& reason, int line) {
        bool inside = false;
        if (!allowed.contains(*this, value, inside, error)) {
            report(line, object.get_name() + ": " + error);
            return false;
        }
        if (inside) return true;
        if (message) {
            CString values;
            allowed.describe_collection(*this, values, error);
            CString shape = allowed.get_text();
            const bool range = shape.Trim().Left(1) == "[";
            if (object.is_port()) {
                *message = "The port " + object.get_name() + (object.is_used() ? " cannot be used" : " must be used") +
                           (reason.IsEmpty() ? CString() : " (" + reason + ")");
            } else {
                *message = object.get_name() + " \"" + object.get_value() + "\" is not allowed" +
                           (reason.IsEmpty() ? CString() : " (" + reason + ")") +
                           (range ? "; allowed range: " : "; allowed values: ") + values;
            }
        }
        return false;
    };
    if (!object.allowed.is_empty() && !check(object.allowed, CString(), object.line)) return &object.allowed;
    for (const BRIX_RULE& rule : m_info.get_rules()) {
        if (rule.object != object.get_name() || (rule.supplied_only && !object.is_supplied())) continue;
        if (!rule.when.is_empty()) {
            BRIX_VALUE condition;
            if (!rule.when.evaluate(*this, condition, error)) {
                report(rule.line, error);
                return &rule.allowed;
            }
            if (!condition.is_true()) continue;
        }
        const CString reason = rule.reason.IsEmpty() ? "when " + rule.when.get_text() : rule.reason;
        if (!check(rule.allowed, rule.when.is_empty() ? rule.reason : reason, rule.line)) return &rule.allowed;
    }
    return nullptr;
}

bool BRIX_RULES_VALIDATOR::run_validator_on_element(const CString& name) {
    const BRIX_OBJ_INFO* object = m_info.get_brix_obj(name);
    if (!object) return false;
    CString message;
    if (!find_failing_rule(*object, &message)) return true;
    m_info.add_error_message(message);
    return false;
}

bool BRIX_RULES_VALIDATOR::run_validator() {
    if (!m_loaded) return false;
    bool all = true;
    BRIX_OBJ_MAP& objects = m_info.get_obj_map();
    for (size_t i = 0; i < objects.size(); ++i) {
        if (!run_validator_on_element(objects.at(i)->get_name())) all = false;
    }
    return all;
}

bool BRIX_RULES_VALIDATOR::get_allowed_value(const CString& name, CString& value) {
    const BRIX_OBJ_INFO* object = m_info.get_brix_obj(name);
    if (!object) return false;
    const BRIX_EXPRESSION* rule = find_failing_rule(*object, nullptr);
    if (!rule) return false;
    BRIX_VALUE allowed;
    CString error;
    if (!rule->get_allowed_value(*this, BRIX_VALUE::of_text(object->get_value()), allowed, error)) return false;
    value = allowed.to_text();
    return true;
}

CString BRIX_RULES_VALIDATOR::evaluate_expression(const CString& text, int /*mode*/) {
    BRIX_EXPRESSION expression;
    CString error;
    BRIX_VALUE value;
    if (!expression.parse(text, error) || !expression.evaluate(*this, value, error)) {
        m_info.add_error_message(error + " in \"" + text + "\"");
        return CString();
    }
    return value.to_text();
}

CString BRIX_RULES_VALIDATOR::evaluate_expression(const BRIX_EXPRESSION& expression, int line) {
    CString error;
    BRIX_VALUE value;
    if (!expression.evaluate(*this, value, error)) {
        m_info.add_error_message(m_info.where(line) + error + " in \"" + expression.get_text() + "\"");
        return CString();
    }
    return value.to_text();
}

void BRIX_RULES_VALIDATOR::evaluate_wizard_map(BRIX_WIZARD_MAP* map) {
    if (!map) return;
    for (BRIX_WIZARD_MAP::ENTRY& entry : map->entries) {
        BRIX_OBJ_INFO& object = *entry.object;
        object.set_selected(false);
        CString error;
        if (!entry.when.is_empty()) {
            BRIX_VALUE condition;
            if (!entry.when.evaluate(*this, condition, error)) {
                m_info.add_error_message(m_info.where(object.line) + error);
                continue;
            }
            if (!condition.is_true()) continue;
        }
        BRIX_VALUE value;
        if (!entry.value.evaluate(*this, value, error)) {
            m_info.add_error_message(m_info.where(object.line) + object.get_name() + ": " + error);
            continue;
        }
        if (object.is_port()) {
            object.set_used(value.is_true());
            object.set_selected(value.is_true());
        } else {
            object.set_value(value.to_text());
            object.set_selected(true);
        }
    }
    map->reset_iteration();
}

bool BRIX_RULES_VALIDATOR::get_value(const CString& name, BRIX_VALUE& value) const {
    const BRIX_OBJ_INFO* object = m_info.get_brix_obj(name);
    if (!object) return false;
    value = BRIX_VALUE::of_text(object->get_value());
    return true;
}

bool BRIX_RULES_VALIDATOR::is_port_used(const CString& name, bool& used) const {
    const BRIX_OBJ_INFO* object = get_port_object(name);
    if (!object) return false;
    used = object->is_used();
    return true;
}

bool BRIX_RULES_VALIDATOR::is_supplied(const CString& name, bool& supplied) const {
    const BRIX_OBJ_INFO* object = m_info.get_brix_obj(name);
    if (!object) return false;
    supplied = object->is_supplied();
    return true;
}
