// The dispatch of control elements by kind. After its common registration a
// control element is handed to the loader of its kind, which appends to the
// kind's own vectors; the sizing twin counts what the loader appends.
#ifndef KOV_TEMPLATE_CONTROL_LOADERS_H
#define KOV_TEMPLATE_CONTROL_LOADERS_H

#include <string>

#include "xml_node.h"

class RXml;

// The loaders of one kind of control element. ctl is the control index the
// element was registered under, page its 0-based page. A null routine loads
// nothing in its pass. The sizing pass registers nothing, so its routine has
// no control index.
struct ControlLoader {
    const wchar_t* kind;
    void (*fill)(RXml& reader, XmlNode* node, int ctl, int page);
    void (*size)(RXml& reader, XmlNode* node, int page);
};

// The loaders for an element name, or null for a kind that has only the
// common registration (CheckBox, RadioButton and any name not listed).
const ControlLoader* FindControlLoader(const std::wstring& kind);

// The value of a control's "default" attribute when it has none: "false" for
// a CheckBox or RadioButton, "0" for a ComboBox, "true" for VarHeaders,
// empty for every other kind.
std::wstring GetDefaultForCtl(const std::wstring& kind);

#endif
