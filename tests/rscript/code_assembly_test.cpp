// The analysis code that Cpp_GetRCodeAndReplaceOptions assembles from a
// template's dialog and the data of a run: options as lines or substituted
// into the script, typed values as R reads them, refused code, the model
// formula, data placeholders, the seed and the charts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_text.h"
#include "template_run.h"

namespace {

using kovtest::Numbers;
using kovtest::TemplateRun;
using kovtest::Texts;

kovr::DataSetData Soil() {
    kovr::DataSetData set;
    set.name = "Data1";
    set.rowCount = 3;
    set.quanti1 = {Numbers("Yield", {1, 2, 3}), Numbers("Sales Amount", {4, 5, 6})};
    set.quanti2 = {Numbers("Rain", {1, 1, 2}), Numbers("Temp mean", {3, 4, 5})};
    set.quali1 = {Texts("Soil", {"a", "b", "a"})};
    set.dataQuanti = {{Numbers("Rain fall", {1, 2, 3})}};
    set.dataQuali = {{Texts("Site", {"s", "t", "s"})}};
    return set;
}

struct Assembly {
    const char* what;
    std::string attributes, body;
    std::vector<std::pair<std::string, std::string>> typed;  // option values as the host passes them
    std::vector<kovr::DataSetData> sets;
    std::string rCode;  // what the add-in wrote before the call
    int column;
    std::string expected;
};

TEST(CodeAssembly, FromTemplateAndData) {
    kovr::DataSetData responsesOnly;
    responsesOnly.name = "Data1";
    responsesOnly.rowCount = 2;
    responsesOnly.quanti1 = {Numbers("Yield", {1, 2})};
    responsesOnly.quali1 = {Texts("Soil", {"a", "b"})};
    kovr::DataSetData termsOnly = responsesOnly;
    termsOnly.name = "Data2";
    termsOnly.quanti1.clear();
    termsOnly.quanti2 = {Numbers("Rain", {1, 2})};
    termsOnly.quali1 = {Texts("Plot", {"p", "q"})};
    const std::string model = "<Tab text='A'><YQuantiField rname='y'/><XQuantiField/><XQualiField/></Tab>";

    const Assembly cases[] = {
        {"options as lines", "datastructure='data'",
         "<Tab text='A'>"
         "<Input name='InputA' rname='alpha' type='double' default='0,05'/>"
         "<CheckBox name='CheckBoxC' rname='center' default='true'/>"
         "<ComboBox name='ComboM' rname='method' default='1'>"
         "<Item text='W' rname='ward'/><Item text='A' rname='average'/></ComboBox>"
         "<Input name='InputOff' rname='off' type='double' optional='true' optiondefault='false'/>"
         "<Input name='InputTol' rname='tol,list' type='double' default='0,001'/>"
         "<Input name='InputMaxit' rname='maxit,list' type='integer' default='50'/>"
         "</Tab><RScript replacebyvalue='false'>"
         "<ScriptLine replace='true' code='  # a comment'/>"
         "<ScriptLine code='x = system(\"rm -rf /\")'/>"
         "<ScriptLine code='y &lt;- Sys.system(1)'/>"
         "<ScriptLine code='a = 1; system2(\"x\")'/>"
         "<ScriptLine code='y = mysystem(1)'/>"
         "<ScriptLine code='p = filesystem'/><ScriptLine code='q = \"system(1); x=1\"'/>"
         "<ScriptLine code='x &lt;= 3; z != 1; a = b == c; if (x = 1) y = 2; v = 5'/>"
         "<ScriptLine code='t = f(\"a;b=c\", &apos;Immune system&apos;, `k=1`)'/>"
         "<ScriptLine replace='true' code='set.seed(kovianseed); s &lt;- kovianseed'/>"
         "</RScript>",
         {}, {}, "", 0,
         // Refused code leaves an empty line; text in quotes is not code.
         "alpha<-0.05\ncenter<-TRUE\nmethod<-'average'\nlist(tol=0.001, maxit=50)\n\n\n\n\n"
         "p <- filesystem\nq <- \"system(1); x=1\"\n"
         "x <= 3; z != 1; a = b == c; if (x = 1) y = 2; v <- 5\nt <- f(\"a;b=c\", 'Immune system', `k=1`)\n"
         "set.seed(1234567); s <- 1234567\n"},
        {"typed values", "datastructure='data'",
         "<Tab text='A'>"
         "<Input name='D1' rname='d1' type='double'/><Input name='D2' rname='d2' type='double'/>"
         "<Input name='D3' rname='d3' type='double'/><Input name='D4' rname='d4' type='double'/>"
         "<Input name='T1' rname='t1' type='text'/><Input name='T2' rname='t2' type='text'/>"
         "<Input name='T3' rname='t3' type='text'/><Input name='T4' rname='t4' type='string'/>"
         "<Input name='L1' rname='l1' type='integerlist'/><Input name='L2' rname='l2' type='integerlist'/>"
         "<Input name='L3' rname='l3' type='integerlist'/><CheckBox name='C' rname='c'/>"
         "</Tab><RScript replacebyvalue='false'/>",
         {{"D1", "1,5"}, {"D2", " -2.5e-3 "}, {"D3", "1.234,5"}, {"D4", "1);x("}, {"T1", "it's C:\\tmp"},
          {"T2", "l1\nl2\r\t\x01\x7f\xc2\x85"}, {"T3", "\x01\xc3\xa9"}, {"T4", "system('ls')"},
          {"L1", "1,2;3 5:7"}, {"L2", "1);file.create('X');c(2"}, {"L3", ""}, {"C", "Yes"}},
         {}, "", 0,
         "d1<-1.5\nd2<--2.5e-3\nd3<-NA\nd4<-NA\nt1<-'it\\'s C:\\\\tmp'\nt2<-'l1\\nl2\\r\\t\\u0001\\u007f\\u0085'\n"
         "t3<-'\\x01\xC3\xA9'\nt4<-'system(\\'ls\\')'\nl1<-c(1, 2, 3, 5:7)\nl2<-NA\nl3<-c()\nc<-NA\n"},
        {"replace lines", "datastructure='data'",
         "<Tab text='A'>"
         "<Input rname='lag,c' type='integer' default='1'/>"
         "<Input rname='lag,c' type='double' default='2,5'/>"
         "<ComboBox rname='kernel' default='2'><Item rname='gauss'/><Item rname='epan'/><Item rname='rect'/></ComboBox>"
         "<Input rname='scale' type='text' default='z'/>"
         "<Input rname='ncomp' type='integer' default='3'/>"
         "</Tab><RScript replacebyvalue='true'>"
         "<ScriptLine replace='true' code='fit &lt;- smooth(data, lag, kernel, scale)'/>"
         "<ScriptLine replace='true' code='res &lt;- pca(x, ncomp); s &lt;- scale'/>"
         "<ScriptLine replace='true' code='ncomps &lt;- ncomp'/>"
         "<ScriptLine code='w &lt;- ncomp'/>"
         "</RScript>",
         {}, {}, "", 0,
         // A name inside a longer one stays; counters start again on every line.
         "fit <- smooth(data, lag=c(1, 2.5), kernel='rect', scale='z')\nres <- pca(x, ncomp=3); s <- scale='z'\n"
         "ncomps <- ncomp=3\nw <- ncomp\n"},
        {"model per response column", "datastructure='model'",
         model + "<RScript><ScriptLine replace='true' code='m &lt;- lm(formula, data=d); "
                 "e &lt;- c(xltype(1,9), xltype(1,10), xltype(3,9), xltype( 1,9))'/></RScript>",
         {}, {Soil()}, "", 2,
         "m <- lm(Sales.Amount ~ +Rain+Temp.mean+Soil, data=d); e <- c(Rain.fall, Site, , xltype( 1,9))\n"},
        {"model terms from data set two", "datastructure='model'",
         model + "<RScript><ScriptLine replace='true' code='m &lt;- lm(formula)'/></RScript>",
         {}, {responsesOnly, termsOnly}, "", 1, "m <- lm(Yield ~ +Rain+Plot)\n"},
        {"model with random terms", "datastructure='model.random'",
         model + "<RScript><ScriptLine replace='true' code='m &lt;- lmer(formula, data=data1)'/></RScript>",
         {}, {Soil()}, "library(lme4)\n\n", 1,
         "library(lme4)\nm <- lmer(Yield ~ +Rain+Temp.mean+( 1 | Soil ), data=data1)\n"},
        {"formula", "datastructure='formula'",
         "<Tab text='A'><YQuantiField rname='y'/></Tab>"
         "<RResults><Result rname='r' chartname='Box' rplotcode='boxplot(y)' rplotformat='emf' rplotwidth='7' "
         "rplotheight='6'/></RResults>"
         "<RScript><ScriptLine replace='true' code='t &lt;- test(formula)'/>"
         "<ScriptLine code='formula &lt;- 1'/></RScript>",
         {}, {Soil()}, "+Price", 2,
         // A chart that no option switches is drawn, without an R folder into R's working folder.
         "t <- test(Sales.Amount ~ +Price)\nformula <- 1\n"
         "emf('Box.emf', height=6, width=7) ; boxplot(y) ; dev.off()\n"},
    };
    for (const Assembly& c : cases) {
        kovtest::TempFolder folder;
        TemplateRun run(kovtest::TemplateFile(folder, c.attributes, c.body), c.sets);
        for (const auto& [name, value] : c.typed) run.Type(name, value);
        run.Set(offsetof(ST_Main_aiR, rCode), c.rCode);
        EXPECT_EQ(run.Assemble(c.column), c.expected) << c.what;
    }
}

TEST(CodeAssembly, ChartsAreDrawnUnlessAnOptionSwitchesThemOff) {
    TemplateRun run(KOV_SOURCE_DIR "/examples/catalogue/Multivariate/pca.xml", {}, {{"chart:Biplot", "false"}});
    run.Set(offsetof(ST_Main_aiR, rFolder), "C:\\out\\");
    const std::string code = run.Assemble();
    EXPECT_NE(code.find("\npng('/C//out/Scree.png',  res=100,height=400, width=500) ; barplot("), std::string::npos)
        << code;
    EXPECT_EQ(code.find("Biplot"), std::string::npos) << code;
    EXPECT_EQ(kovr::ShortAt(run.dialog().resPlotIncluded, 1), -1);
    EXPECT_EQ(kovr::ShortAt(run.dialog().resPlotIncluded, 3), 0);
}

// Substituting many names, prefixes and suffixes of one another and of
// longer words, in one long line gives what replacing them one by one does.
TEST(CodeAssembly, LongLinesAsReplacingNameByName) {
    const std::vector<std::string> names = {"alpha", "a", "al", "pha", "x.y", "p-q", "b_c", "alphabet"};
    const std::vector<std::string> words = {"alpha", "a", "al", "pha", "x.y", "p-q", "b_c", "alphabet", "myalpha",
                                            "x.yz", "(", ")", ", ", " ", "+", "-", "*", "/", "]", "[", "=", "ab",
                                            "q", "alpha_", ".", "pq"};
    std::string line = "f(";
    for (unsigned seed = 12345; line.size() < 20000;) {
        seed = seed * 1103515245u + 12345u;
        line += words[(seed >> 16) % words.size()];
    }
    std::string xml = "<Tab text='A'>";
    for (size_t k = 0; k < names.size(); ++k) {
        xml += "<Input rname='" + names[k] + "' type='integer' default='" + std::to_string(k) + "'/>";
    }
    kovtest::TempFolder folder;
    TemplateRun run(kovtest::TemplateFile(folder, "datastructure='data'",
                                               xml + "</Tab><RScript replacebyvalue='true'><ScriptLine replace='true' "
                                                     "code='" + line + "'/></RScript>"));
    // The export's result as text, its host strings freed.
    const auto text = [](BSTR (*f)(BSTR, BSTR, BSTR), std::vector<std::string> args) {
        BSTR in[3] = {};
        for (size_t k = 0; k < args.size(); ++k) in[k] = kovr::NewHostString(args[k]);
        BSTR out = f(in[0], in[1], in[2]);
        const std::string result = kovr::HostText(out);
        for (BSTR s : {in[0], in[1], in[2], out}) SysFreeString(s);
        return result;
    };
    std::string expected = text([](BSTR code, BSTR, BSTR) { return Cpp_CodeChecks(code); }, {line});
    for (size_t k = 0; k < names.size(); ++k) {
        expected = text(Cpp_RReplace, {expected, names[k], names[k] + "=" + std::to_string(k)});
    }
    EXPECT_EQ(run.Assemble(), expected + "\n");
}

}  // namespace
