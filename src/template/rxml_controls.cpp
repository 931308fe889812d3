// Control elements: every element of a page that is not a page-level element.
#include "control_loaders.h"
#include "rxml.h"

void RXml::LoadChildNode(XmlNode* node, int page) {
    const int ctl = controls->ctlName.count;
    const ControlLoader* loader = FindControlLoader(node->name);
    if (loader != nullptr && loader->fill != nullptr) loader->fill(*this, node, ctl, page);
}

void RXml::LoadChildNodeSize(XmlNode* node, int page) {
    const ControlLoader* loader = FindControlLoader(node->name);
    if (loader != nullptr && loader->size != nullptr) loader->size(*this, node, page);
}
