// Reading attributes and text of template elements. An empty attribute acts
// as an absent one everywhere, so every loader gets its fallback for both.
#ifndef KOV_TEMPLATE_NODE_ACCESS_H
#define KOV_TEMPLATE_NODE_ACCESS_H

#include <string>

#include "xml_node.h"

// The value of attribute name, or fallback when node lacks it (or it is empty).
std::wstring GetAttributeFromNode(XmlNode* node, const wchar_t* name, const std::wstring& fallback);

// The text content of an element such as DateCreated (a copy of its value).
std::wstring GetValueFromNode(XmlNode* node);

// A host boolean: -1 for true, 0 for false.
inline short HostBool(bool value) { return value ? -1 : 0; }

// -1 when the attribute (or fallback) is exactly "true", else 0.
short TrueFlag(XmlNode* node, const wchar_t* name, const std::wstring& fallback);

// -1 unless the attribute is exactly "false"; an absent one is "false".
short FlagUnlessFalse(XmlNode* node, const wchar_t* name);

// The number at the start of text, as the loaders read widths, indices and
// defaults: the first "," is taken as the decimal point and the value is
// truncated toward zero, saturating at the int32 range. Text that does not
// start with a number gives 0.
int TruncatedNumber(const std::wstring& text);

#endif
