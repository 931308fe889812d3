// Fuzz target of the template reader and the catalogue: the input bytes
// become a template file of a one-file catalogue, which goes through the
// sizing pass, the filling pass (with every host array dimensioned from the
// sizes, as the add-in does) and the catalogue listing. Checks: nothing
// crashes or leaks; the error-information record is filled exactly when
// libxml2, asked directly, does not parse the file, and then no entry is
// filled; every vector's filled count lies within what the sizing pass
// reported; the catalogue counts and lists the one file.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "fuzz_support.h"
#include "arena_records.h"
#include "kovrbridge.h"

namespace {

struct Catalogue {
    std::string folder;
    std::string group;
    std::string file;
};

const Catalogue& TheCatalogue() {
    static const Catalogue catalogue = [] {
        Catalogue c;
        c.folder = fuzz::ProcessFolder() + "/catalogue";
        c.group = c.folder + "/Group";
        c.file = c.group + "/t.xml";
        std::filesystem::create_directories(c.group);
        return c;
    }();
    return catalogue;
}

void Silent(void*, const char*, ...) {}

// What the catalogue lists: libxml2's verdict and three root attributes as
// the reader keeps attributes (by local name, the first one, its first value
// node, each byte a signed character; "" when absent or empty).
struct DirectParse {
    bool parses = false;
    std::u16string function;
    std::u16string packages;
    std::u16string keywords;
};

std::u16string Attribute(xmlNode* root, const char* name) {
    for (xmlAttr* attribute = root->properties; attribute != nullptr; attribute = attribute->next) {
        if (std::string(reinterpret_cast<const char*>(attribute->name)) != name) continue;
        const xmlNode* value = attribute->children;
        if (value == nullptr || value->content == nullptr || value->content[0] == 0) continue;
        std::u16string text;
        for (const xmlChar* p = value->content; *p != 0; ++p) {
            text += static_cast<char16_t>(static_cast<signed char>(*p));
        }
        return text;
    }
    return std::u16string();
}

// libxml2 asked directly, with the options the reader uses (none).
DirectParse ParseDirectly(const std::string& path) {
    const xmlGenericErrorFunc savedHandler = xmlGenericError;
    void* const savedContext = xmlGenericErrorContext;
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
    xmlSetGenericErrorFunc(savedContext, savedHandler);
    return result;
}

// The add-in's table of 6500 translated texts, read only by the library:
// made once, the first rows filled.
BSTR* Translations() {
    static std::vector<BSTR>* table = [] {
        auto* rows = new std::vector<BSTR>(6500, nullptr);
        for (int row = 1; row <= 20; ++row) (*rows)[row - 1] = fuzz::Bstr(u"Text " + fuzz::Digits(row));
        return rows;
    }();
    return table->data();
}

bool Reported(const ST_ErrorInfo& error) { return fuzz::Units(error.title) == u"XML Error"; }

std::u16string Cell(const SAFEARRAY* table, int k) { return fuzz::Units(static_cast<BSTR*>(table->pvData)[k - 1]); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Catalogue& catalogue = TheCatalogue();
    std::ofstream(catalogue.file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const DirectParse direct = ParseDirectly(catalogue.file);

    host::Arena arena;
    auto main = host::Main(arena, {.templateFolder = catalogue.group, .templateFile = "t.xml"});
    BSTR* messages = Translations();

    // Sizing pass.
    auto sizes = arena.New<ST_aiRSize>();
    auto controlSizes = arena.New<ST_AirControlInfoSize>();
    auto sizeError = arena.ErrorInfo();
    Cpp_GetMethodDescriptionSize(main, sizes, controlSizes, messages, sizeError);
    FUZZ_CHECK(Reported(*sizeError) == !direct.parses);
    for (int k = 0; k < host::kAirVectorCount; ++k) {
        FUZZ_CHECK(sizes->vectorSize[k] >= 0 && (direct.parses || sizes->vectorSize[k] == 0), host::AirVectorName(k));
    }
    for (int j = 0; j < host::kControlVectorCount; ++j) {
        FUZZ_CHECK(controlSizes->vectorSize[j] >= 0 && (direct.parses || controlSizes->vectorSize[j] == 0),
                   host::ControlVectorName(j));
    }

    // Filling pass into arrays of the reported sizes.
    host::Dialog dialog(arena, *sizes, *controlSizes);
    auto fillError = arena.ErrorInfo();
    Cpp_GetMethodDescription(main, dialog.air, dialog.controls, messages, fillError);
    FUZZ_CHECK(Reported(*fillError) == !direct.parses);
    for (int k = 0; k < host::kAirVectorCount; ++k) {
        const int32_t count = host::AirVector(*dialog.air, k).count;
        FUZZ_CHECK(count >= 0 && count <= sizes->vectorSize[k],
                   std::string(host::AirVectorName(k)) + ": filled " + std::to_string(count) + ", sized " +
                       std::to_string(sizes->vectorSize[k]));
    }
    for (int j = 0; j < host::kControlVectorCount; ++j) {
        const int32_t count = host::ControlVector(*dialog.controls, j).count;
        FUZZ_CHECK(count >= 0 && count <= controlSizes->vectorSize[j],
                   std::string(host::ControlVectorName(j)) + ": filled " + std::to_string(count) + ", sized " +
                       std::to_string(controlSizes->vectorSize[j]));
    }

    // The catalogue of this one file.
    const std::wstring folder(catalogue.folder.begin(), catalogue.folder.end());
    FUZZ_CHECK(Cpp_GetNbRFiles(folder.c_str()) == 1);
    auto listing = host::Main(arena, {.catalogFolder = catalogue.folder});
    listing->catalogTable = arena.Array(host::Elem::kString, 7, 1);  // 7 fields of 1 template
    listing->catalogCount = 1;
    Cpp_GetListOfRFiles(listing);
    const SAFEARRAY* table = listing->catalogTable;
    FUZZ_CHECK(Cell(table, 1) == u"t.xml" && Cell(table, 2) == u"Group");
    FUZZ_CHECK(Cell(table, 3) == direct.function, fuzz::Show(Cell(table, 3)) + " vs " + fuzz::Show(direct.function));
    FUZZ_CHECK(Cell(table, 5) == direct.packages);
    FUZZ_CHECK(Cell(table, 7) == direct.keywords);
    return 0;
}
