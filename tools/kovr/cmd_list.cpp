// kovr list [CATALOGUE] [--json]: the templates of a catalogue folder, counted
// with Cpp_GetNbRFiles and listed with Cpp_GetListOfRFiles, in the order the
// library sorts them for display (by group, then by function).
#include <filesystem>
#include <iostream>

#include "commands.h"
#include "host_records.h"
#include "host_text.h"
#include "json_writer.h"
#include "template_file.h"
#include "text_table.h"

namespace kovr {

namespace {

struct CatalogueEntry {
    std::string file, group, function, title, packages, code, keywords;
};

std::vector<CatalogueEntry> ReadCatalogue(const std::string& folder) {
    const int count = Cpp_GetNbRFiles(WideText(folder).c_str());
    HostMain main;
    main.Set(offsetof(ST_Main_aiR, catalogFolder), folder);
    main.NewCatalogTable(count);
    {
        ReplacedStrings replaced([&](StringSlots& s) { main.CollectStrings(s); });
        Cpp_GetListOfRFiles(main.get());
    }
    std::vector<CatalogueEntry> entries;
    for (int t = 1; t <= count; ++t) {
        entries.push_back(CatalogueEntry{main.CatalogField(1, t), main.CatalogField(2, t), main.CatalogField(3, t),
                                         main.CatalogField(4, t), main.CatalogField(5, t), main.CatalogField(6, t),
                                         main.CatalogField(7, t)});
    }
    return entries;
}

void PrintJson(const std::string& folder, const std::vector<CatalogueEntry>& entries) {
    JsonWriter json(std::cout);
    json.BeginObject();
    json.Key("catalogue");
    json.String(folder);
    json.Key("count");
    json.Number(static_cast<int64_t>(entries.size()));
    json.Key("templates");
    json.BeginArray();
    for (const CatalogueEntry& e : entries) {
        json.BeginObject();
        for (const auto& [key, value] :
             {std::pair{"file", &e.file}, {"group", &e.group}, {"function", &e.function}, {"title", &e.title},
              {"packages", &e.packages}, {"code", &e.code}, {"keywords", &e.keywords}}) {
            json.Key(key);
            json.String(*value);
        }
        json.Key("path");
        json.String((std::filesystem::path(folder) / e.group / e.file).string());
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace

int ListCommand(const Args& args) {
    std::string folder;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (folder.empty() && arg.rfind("--", 0) != 0) {
            folder = arg;
        } else {
            return Fail("list", "unexpected argument '" + arg + "'", kExitUsage);
        }
    }
    if (folder.empty()) folder = DefaultCatalogue();
    if (!std::filesystem::is_directory(folder)) return Fail("list", "no catalogue folder " + folder, kExitUsage);
    folder = std::filesystem::absolute(folder).lexically_normal().string();
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();

    const std::vector<CatalogueEntry> entries = ReadCatalogue(folder);
    if (json) {
        PrintJson(folder, entries);
        return kExitOk;
    }
    std::cout << entries.size() << (entries.size() == 1 ? " template" : " templates") << " in " << folder << "\n\n";
    std::vector<TextRow> rows;
    for (const CatalogueEntry& e : entries) {
        rows.push_back({e.group, e.title, e.function, e.packages, e.keywords, e.group + "/" + e.file});
    }
    PrintTable(std::cout, {"group", "title", "function", "packages", "keywords", "template"}, rows);
    return kExitOk;
}

}  // namespace kovr
