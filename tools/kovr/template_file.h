// Reads one template through the two method-description entry points, as the
// add-in does before it shows a dialog: the sizing pass reports how many
// entries every vector needs, the tool dimensions its arrays, and the filling
// pass fills them. A template that does not parse comes back with the error
// text the add-in would show.
#ifndef KOVR_TEMPLATE_FILE_H
#define KOVR_TEMPLATE_FILE_H

#include <memory>
#include <string>
#include <vector>

#include "host_records.h"
#include "kovrbridge.h"

namespace kovr {

struct LoadedTemplate {
    std::string path;        // absolute path of the file
    std::string errorTitle;  // set, with errorText, when the template does not parse
    std::string errorText;
    ST_aiRSize sizes{};
    ST_AirControlInfoSize controlSizes{};
    std::unique_ptr<HostMain> main;
    std::unique_ptr<HostDialog> dialog;  // null when the template does not parse

    bool ok() const { return dialog != nullptr; }
};

// Runs both passes on the template at path (which must exist).
LoadedTemplate LoadTemplate(const std::string& path, Translations& translations);

// The vectors whose entry count from the filling pass disagrees with the
// count of the sizing pass, one sentence each; empty for a sound template.
std::vector<std::string> SizingDisagreements(const LoadedTemplate& loaded);

// The catalogue used when none is given: $KOVR_CATALOGUE, else
// examples/catalogue under the working folder, else the source tree's.
std::string DefaultCatalogue();

// The template named by arg: the file itself when it exists, otherwise the
// same path under the default catalogue; "" when neither exists.
std::string FindTemplate(const std::string& arg);

}  // namespace kovr

#endif
