// The tour's state machine over (scenario, stage): the start-up, the two
// buttons, one stage at a time, the scenario changes and the end.
#pragma once

#include <cstdint>
#include <string>

#include "tour/form_state.hpp"
#include "tour/narrative.hpp"
#include "tour/stages.hpp"
#include "world/world.hpp"

namespace tour {

class Tour {
  public:
    // Runs the start-up: welcome text, empty columns, scenario 1 laid out.
    // Numbers in the columns use the given decimal separator.
    explicit Tour(FormHost& host, std::string decimal_separator = ".");

    void Command1_Click();  // Continue
    void Command2_Click();  // Back

    std::int16_t stage() const { return stage_; }
    std::int16_t scenario() const { return world_.scenario; }
    const World& world() const { return world_; }
    const FormState& form() const { return form_; }
    const Narrative& narrative() const { return narrative_; }
    // True once Continue after the closing text has ended the program.
    bool ended() const { return ended_; }

  private:
    void Form_Load();
    void showstage();
    void runstage();
    void prepareplot(PlotPrep prep);
    void narrate(const StageRow& row);
    void nextscenario();
    void theend();
    void writeerr();
    void set_pointer(MousePointer pointer);

    FormHost& host_;
    std::string decimal_separator_;
    World world_;
    FormState form_;
    Narrative narrative_;
    std::int16_t stage_ = 0;
    bool ended_ = false;
};

}  // namespace tour
