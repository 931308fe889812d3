// Fuzz target of the template reader and the catalogue: the input bytes
// become the one template of a catalogue, read through both method-description
// passes as the add-in reads it, then counted and listed. Checks: nothing
// crashes or leaks; a template is read exactly when libxml2, asked directly,
// parses it, and otherwise comes back as an XML error with every size 0; every
// vector's filled count lies within what the sizing pass reported; the
// catalogue counts and lists the one file with its root attributes.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "host_arrays.h"
#include "host_text.h"
#include "record_fields.h"
#include "template_file.h"

namespace {

void Silent(void*, const char*, ...) {}

// What the catalogue lists: libxml2's verdict and three root attributes as
// the reader keeps attributes (by local name, the first one, its first value
// node, each byte a signed character; "" when absent or empty).
struct DirectParse {
    bool parses = false;
    std::u16string function, packages, keywords;
};

std::u16string Attribute(xmlNode* root, const char* name) {
    for (xmlAttr* attribute = root->properties; attribute != nullptr; attribute = attribute->next) {
        if (std::string(reinterpret_cast<const char*>(attribute->name)) != name) continue;
        const xmlNode* value = attribute->children;
        if (value == nullptr || value->content == nullptr || value->content[0] == 0) continue;
        std::u16string text;
        for (const xmlChar* p = value->content; *p != 0; ++p) text += static_cast<char16_t>(static_cast<signed char>(*p));
        return text;
    }
    return std::u16string();
}

// libxml2 asked directly, with the options the reader uses (none).
DirectParse ParseDirectly(const std::string& path) {
    xmlSetGenericErrorFunc(nullptr, Silent);
    DirectParse result;
    if (xmlDoc* document = xmlReadFile(path.c_str(), nullptr, 0)) {
        result.parses = true;
        if (xmlNode* root = xmlDocGetRootElement(document)) {
            result.function = Attribute(root, "function");
            result.packages = Attribute(root, "packages");
            result.keywords = Attribute(root, "keywords");
        }
        xmlFreeDoc(document);
    }
    return result;
}

template <typename Record, size_t N>
void CheckCounts(Record& record, const std::array<kovr::VectorField, N>& fields, const int32_t* sizes) {
    for (size_t k = 0; k < N; ++k) {
        const int32_t count = kovr::VectorOf(record, fields[k]).count;
        FUZZ_CHECK(count >= 0 && count <= sizes[k], std::string(fields[k].name) + ": filled " + std::to_string(count) +
                                                        ", sized " + std::to_string(sizes[k]));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string catalogue = fuzz::ProcessFolder() + "/catalogue";
    static const std::string file = catalogue + "/Group/t.xml";
    static kovr::Translations translations;
    std::filesystem::create_directories(catalogue + "/Group");
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const DirectParse direct = ParseDirectly(file);

    kovr::LoadedTemplate loaded = kovr::LoadTemplate(file, translations);
    FUZZ_CHECK(loaded.ok() == direct.parses, loaded.errorTitle + ": " + loaded.errorText);
    if (loaded.ok()) {
        CheckCounts(loaded.dialog->dialog(), kovr::kDialogVectors, loaded.sizes.vectorSize);
        CheckCounts(loaded.dialog->controls(), kovr::kControlVectors, loaded.controlSizes.vectorSize);
    } else {
        FUZZ_CHECK(loaded.errorTitle == "XML Error", loaded.errorTitle);
        for (const int32_t n : loaded.sizes.vectorSize) FUZZ_CHECK(n == 0);
        for (const int32_t n : loaded.controlSizes.vectorSize) FUZZ_CHECK(n == 0);
    }

    FUZZ_CHECK(Cpp_GetNbRFiles(kovr::WideText(catalogue).c_str()) == 1);
    kovr::HostMain listing;
    listing.Set(offsetof(ST_Main_aiR, catalogFolder), catalogue);
    listing.NewCatalogTable(1);
    {
        kovr::ReplacedStrings replaced([&](kovr::StringSlots& s) { listing.CollectStrings(s); });
        Cpp_GetListOfRFiles(listing.get());
    }
    const auto field = [&](int k) { return fuzz::Units(kovr::Elements<BSTR>(listing.get()->catalogTable)[k - 1]); };
    FUZZ_CHECK(field(1) == u"t.xml" && field(2) == u"Group");
    FUZZ_CHECK(field(3) == direct.function, fuzz::Show(field(3)) + " vs " + fuzz::Show(direct.function));
    FUZZ_CHECK(field(5) == direct.packages && field(7) == direct.keywords);
    return 0;
}
