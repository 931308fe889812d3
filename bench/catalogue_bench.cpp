// Listing a catalogue of 500 templates (20 groups, 5 to 20 KB each) through
// Cpp_GetNbRFiles and Cpp_GetListOfRFiles, against parsing the same files with
// bare libxml2 (read the document, free it) as the baseline.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "host_records.h"
#include "host_text.h"

namespace {

constexpr int kGroups = 20;
constexpr int kTemplatesPerGroup = 25;
constexpr int kTemplates = kGroups * kTemplatesPerGroup;

// One dialog page of options, as the templates of a statistics catalogue
// have them: a radio group, inputs, check boxes and a combo box.
std::string OptionsPage(int page) {
    const std::string p = std::to_string(page);
    return "  <Tab text=\"Options " + p + "\" leftcolumnwidth=\"170\" rightcolumnwidth=\"150\">\n"
           "    <Group text=\"Alternative hypothesis\">\n"
           "      <RadioButton name=\"OptionTwoSided" + p + "\" text=\"Difference different from D\" "
           "groupname=\"alternative" + p + "\"\n"
           "                   rname=\"alternative\" rname_option=\"'two.sided'\" default=\"true\"/>\n"
           "      <RadioButton name=\"OptionLess" + p + "\" text=\"Difference lower than D\" "
           "groupname=\"alternative" + p + "\"\n"
           "                   rname=\"alternative\" rname_option=\"'less'\"/>\n"
           "    </Group>\n"
           "    <Input name=\"InputMu" + p + "\" text=\"Hypothesized difference D\" rname=\"mu\" type=\"double\" "
           "default=\"0\"/>\n"
           "    <CheckBox name=\"CheckBoxVarEqual" + p + "\" text=\"Assume equal variances\" rname=\"var.equal\" "
           "default=\"false\"\n"
           "              tooltip=\"Ticked, the pooled variance is used\"/>\n"
           "    <Input name=\"InputLevel" + p + "\" text=\"Confidence level\" rname=\"conf.level\" type=\"double\" "
           "min=\"0.5\" max=\"0.999\" default=\"0.95\"/>\n"
           "    <ComboBox name=\"ComboMethod" + p + "\" text=\"Method\" rname=\"method\" "
           "options=\"pearson,kendall,spearman\" default=\"0\"/>\n"
           "  </Tab>\n";
}

// One result table with its chart, and the R code that fills it.
std::string Result(int k) {
    const std::string n = std::to_string(k);
    return "    <Result text=\"Table " + n + "\" rname=\"table" + n + "\" rowlabels=\"rdesc\" format=\"0.0000\"\n"
           "            chartname=\"Chart" + n + "\" rplotformat=\"png\" rplotwidth=\"600\" rplotheight=\"450\"\n"
           "            rplotcode=\"plot(fitted(fit), residuals(fit), main='Residuals " + n + "'); abline(h=0)\"/>\n";
}

std::string ResultCode(int k) {
    const std::string n = std::to_string(k);
    return "      results$table" + n + " <- data.frame(Value=c(nobs(fit), s$r.squared, s$adj.r.squared, s$sigma), "
           "row.names=c('Observations', 'R2', 'Adjusted R2', 'Residual standard error'))\n";
}

// Template i: a header like the catalogue's examples, then option pages,
// results and script lines until it reaches its size (5 to 20 KB).
std::string Template(int i, const std::string& group) {
    const size_t size = 5 * 1024 + static_cast<size_t>(i * 7919 % (15 * 1024));
    const std::string id = std::to_string(i);
    std::string header =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- Generated template " + id + " of the catalogue benchmark. -->\n"
        "<RFunction text=\"Analysis " + id + "\" function=\"fn" + id + "\" packages=\"stats,pkg" + id + "\" "
        "group=\"" + group + "\"\n"
        "           datastructure=\"formula\" keywords=\"analysis " + id + ",test,model,comparison\">\n"
        "  <AuthorXML>kovrbridge benchmark</AuthorXML>\n"
        "  <AuthorRFunction>R Core Team</AuthorRFunction>\n"
        "  <DateCreated>2024-05-02</DateCreated>\n"
        "  <RDescription>Fits the model of analysis " + id + " and reports its tables and charts.</RDescription>\n"
        "  <Tab text=\"General\">\n"
        "    <YQuantiField text=\"Dependent variables\" tooltip=\"One model per selected column\"/>\n"
        "    <XQuantiField optional=\"true\" optiondefault=\"true\"/>\n"
        "    <ObsLabelsField add=\"true\"/>\n"
        "  </Tab>\n";
    std::string pages;
    std::string results;
    std::string code;
    int k = 0;
    const size_t fixed = header.size() + 200;
    while (fixed + pages.size() + results.size() + code.size() < size) {
        pages += OptionsPage(k);
        results += Result(k);
        code += ResultCode(k);
        ++k;
    }
    return header + pages + "  <RResults>\n" + results + "  </RResults>\n" +
           "  <RScript replacebyvalue=\"false\">\n"
           "    <ScriptLine replace=\"true\" code=\"fit &lt;- lm(formula, data=data1)\"/>\n"
           "    <RBlock><![CDATA[\n      s <- summary(fit)\n" + code + "]]></RBlock>\n  </RScript>\n</RFunction>\n";
}

// The generated catalogue, written once into a temporary folder and removed
// when the program ends.
class GeneratedCatalogue {
public:
    GeneratedCatalogue() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kov-catalogue-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        for (int g = 0; g < kGroups; ++g) {
            const std::string group = "Group" + std::to_string(g);
            std::filesystem::create_directory(folder_ + "/" + group);
            for (int k = 0; k < kTemplatesPerGroup; ++k) {
                const int i = g * kTemplatesPerGroup + k;
                const std::string path = folder_ + "/" + group + "/analysis" + std::to_string(i) + ".xml";
                const std::string text = Template(i, group);
                std::ofstream(path, std::ios::binary) << text;
                files_.push_back(path);
                bytes_ += static_cast<int64_t>(text.size());
            }
        }
    }
    ~GeneratedCatalogue() { std::filesystem::remove_all(folder_); }

    const std::string& folder() const { return folder_; }
    const std::vector<std::string>& files() const { return files_; }
    int64_t bytes() const { return bytes_; }

private:
    std::string folder_;
    std::vector<std::string> files_;
    int64_t bytes_ = 0;
};

const GeneratedCatalogue& Catalogue() {
    static const GeneratedCatalogue catalogue;
    return catalogue;
}

void Report(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() * Catalogue().bytes());
    state.SetItemsProcessed(state.iterations() * kTemplates);
}

void BM_BareLibxml2Parse(benchmark::State& state) {
    const std::vector<std::string>& files = Catalogue().files();
    for (auto _ : state) {
        for (const std::string& file : files) {
            xmlDoc* document = xmlReadFile(file.c_str(), nullptr, 0);
            benchmark::DoNotOptimize(document);
            xmlFreeDoc(document);
        }
    }
    Report(state);
}
BENCHMARK(BM_BareLibxml2Parse)->Unit(benchmark::kMillisecond);

void BM_CountAndListCatalogue(benchmark::State& state) {
    const std::wstring folder = kovr::WideText(Catalogue().folder());
    kovr::HostMain main;
    main.Set(offsetof(ST_Main_aiR, catalogFolder), Catalogue().folder());
    main.NewCatalogTable(kTemplates);
    for (auto _ : state) {
        // Frees the strings the call replaced, outside the timing.
        state.PauseTiming();
        auto replaced = std::make_unique<kovr::ReplacedStrings>([&](kovr::StringSlots& s) { main.CollectStrings(s); });
        state.ResumeTiming();
        if (Cpp_GetNbRFiles(folder.c_str()) != kTemplates) state.SkipWithError("wrong template count");
        Cpp_GetListOfRFiles(main.get());
        state.PauseTiming();
        replaced.reset();
        state.ResumeTiming();
    }
    Report(state);
}
BENCHMARK(BM_CountAndListCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace
