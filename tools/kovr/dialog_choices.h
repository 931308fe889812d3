// The user's choices in a template's dialog, as `kovr run` gathers them in
// place of the add-in's dialog box: every control starts at its default and
// --set NAME=VALUE changes it. The choices are then written into the option
// rows of the dialog record, which is what the library turns into R code.
#ifndef KOVR_DIALOG_CHOICES_H
#define KOVR_DIALOG_CHOICES_H

#include <map>
#include <string>
#include <vector>

#include "dialog_view.h"
#include "host_records.h"

namespace kovr {

// Seed used when the template draws random numbers and no --set seed= is
// given, so that runs are repeatable.
inline constexpr int kDefaultSeed = 1234567;

class DialogChoices {
public:
    explicit DialogChoices(const DialogView& view);

    // Applies one --set; returns "" or the reason it cannot be applied.
    // Unknown names give an error that lists the names there are.
    std::string Set(const std::string& name, const std::string& value);
    // Whether name addresses an option control (or the seed).
    bool Knows(const std::string& name) const;

    // State of a check box or radio button.
    bool Checked(int control) const;
    // Whether the output check box of result i (from 1) is ticked; true when
    // the template has none for it.
    bool OutputWanted(int result) const;
    // Whether the descriptive-statistics check box exists and is ticked.
    bool DescriptiveStatistics() const;
    // The chosen missing-value treatment (index into the template's choices),
    // -1 when the template offers none.
    int MissingChoice() const { return missing_; }
    // The order of the interactions the user asked for; 1 for none.
    int InteractionLevel() const;
    int Seed() const { return seed_; }

    // Option rows, one per check box, radio button, combo box and numeric
    // input in control order, and the selected combo items.
    void WriteOptionRows(HostDialog& dialog) const;

    // Every name --set accepts for options, with the current value.
    std::vector<std::pair<std::string, std::string>> Describe() const;

private:
    struct State {
        bool on = true;     // check box ticked, radio selected, optional input switched on
        std::string value;  // numeric input text
        int item = 0;       // combo box item, 0-based
    };

    // The option controls called name, or else those whose R name it is.
    std::vector<const ControlView*> Matches(const std::string& name) const;
    // Sets one control; messages name it as the user did.
    std::string SetControl(const ControlView& control, const std::string& name, const std::string& value);
    std::string ValueText(const ControlView& control) const;

    const DialogView& view_;
    std::map<int, State> states_;  // by control index
    int missing_ = -1;
    int seed_ = kDefaultSeed;
};

// Whether kind is one of the control kinds that give an option row.
bool IsOptionKind(const std::string& kind);

}  // namespace kovr

#endif
