#include "control_loaders.h"

namespace {

// Every kind that loads more than the common control attributes. Kinds
// whose routines are null here load nothing of their own yet.
constexpr ControlLoader kControlLoaders[] = {
    {L"ComboBox", nullptr, nullptr},
    {L"Group", nullptr, nullptr},
    {L"Missing", nullptr, nullptr},
    {L"RefEdit", nullptr, nullptr},
    {L"DataField", nullptr, nullptr},
    {L"ObsLabelsField", nullptr, nullptr},
    {L"YQuantiField", nullptr, nullptr},
    {L"YQualiField", nullptr, nullptr},
    {L"XQuantiField", nullptr, nullptr},
    {L"XQualiField", nullptr, nullptr},
    {L"Input", nullptr, nullptr},
    {L"VarHeaders", nullptr, nullptr},
    {L"Interactions", nullptr, nullptr},
};

}  // namespace

const ControlLoader* FindControlLoader(const std::wstring& kind) {
    for (const ControlLoader& loader : kControlLoaders) {
        if (kind == loader.kind) return &loader;
    }
    return nullptr;
}
