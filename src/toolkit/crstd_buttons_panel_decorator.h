// The button bar at the bottom of every wizard page: Documentation at the
// left edge, Cancel, Back, Next and Finish flush right. A click becomes a
// registered window message to the page; the bar never changes pages itself.
#pragma once

#include <memory>

#include "toolkit/cbutton.h"
#include "toolkit/crdecorator.h"

class CRSTD_BUTTONS_PANEL_DECORATOR : public CRDECORATOR {
public:
    static constexpr UINT BASE_ID = 10;
    static constexpr UINT MAIN_PANEL_ID = 11;
    static constexpr UINT FINISH_BUTTON_ID = 12;
    static constexpr UINT PREV_BUTTON_ID = 13;
    static constexpr UINT NEXT_BUTTON_ID = 14;
    static constexpr UINT CANCEL_BUTTON_ID = 15;
    static constexpr UINT HELP_BUTTON_ID = 16;
    static constexpr UINT SEPARATOR_LINE_ID = 17;
    static constexpr UINT UPPERMOST_ID = 29;
    static constexpr CSize STD_BUTTON_DIMS{56, 22};
    static constexpr int STD_BUTTON_GAP_SIZE = 3;
    static constexpr int HELP_BUTTON_WIDTH = 104;
    static constexpr int HELP2CANCEL_BUTTONS_GAP_SIZE = 60;
    static constexpr int SEPARATOR_LINE_WIDTH = 2;
    // Set at start-up: the margins of every button and the bar's insets.
    static CRect STD_BUTTON_MARGIN;
    static CRect STD_BUTTON_PANEL_INSETS;

    explicit CRSTD_BUTTONS_PANEL_DECORATOR(CRDECORATOR_WIZARD* wizard);
    ~CRSTD_BUTTONS_PANEL_DECORATOR() override;

    void add_controls() override;
    // Back is off on the first page, Next on the last; the default button
    // is Next, or Finish on the last page.
    void on_panel_created() override;
    // The Documentation button lives here only without a navigation panel.
    virtual bool decorator_has_help_button();
    virtual void set_button_state(CBUTTON* button, bool enabled);
    virtual void set_button_state(UINT id, bool enabled);
    virtual void set_default_button(CBUTTON* button);

    // Programmatic presses take exactly the path of a click.
    virtual void simulate_next_button_press();
    virtual void simulate_prev_button_press();
    virtual void simulate_finish_button_press();
    virtual void simulate_cancel_button_press();
    // A button of the bar was clicked: the page hears the matching message.
    void on_action_performed(CRABSTRACT_EVENT* event) override;

    CBUTTON* get_finish_button() { return m_finish.get(); }
    CBUTTON* get_next_button() { return m_next.get(); }
    CBUTTON* get_prev_button() { return m_prev.get(); }
    CBUTTON* get_cancel_button() { return m_cancel.get(); }
    CBUTTON* get_help_button() { return m_help.get(); }

private:
    CBUTTON* prepare_button(std::unique_ptr<CBUTTON>& button, const char* label, const CSize& size);
    void simulate_press(UINT id);

    std::unique_ptr<CBUTTON> m_finish;
    std::unique_ptr<CBUTTON> m_next;
    std::unique_ptr<CBUTTON> m_prev;
    std::unique_ptr<CBUTTON> m_cancel;
    std::unique_ptr<CBUTTON> m_help;
    CRCONTROL_EVENT m_simulated_event;
};

CRSTD_BUTTONS_PANEL_DECORATOR* build_std_buttons_panel_decorator(CRDECORATOR_WIZARD* wizard);
