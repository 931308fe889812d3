// The files of a transfer through Cpp_TransferToR: the check script, the
// analysis script that imports the data with the classes of its columns and
// writes the results, and one data file per exported data set, with quoted
// texts, labels and the missing-value marker.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "template_run.h"

namespace {

using kovtest::Numbers;
using kovtest::Texts;
constexpr double M = kovr::kMissingNumber;

TEST(TransferFiles, ScriptsAndOneDataFilePerDataSet) {
    kovtest::TempFolder folder;
    const std::string work = folder.path() + "/";
    const std::string big(600000, 'n');  // more than the write buffer holds
    kovr::DataSetData d1, d2, d3;
    d1.name = "d1";
    d1.quanti1 = {Numbers("Sales Amount", {1.5, 2.25}), Numbers("Units", {3, 4})};
    d1.quali1 = {Texts("Region", {big, ""})};
    d1.obsLabels = {"o\"1", "a;b\nc"};
    d2.name = "d2";
    d2.quanti1 = {Numbers("x", {9})};
    d3.name = "d3";
    d3.quanti1 = {Numbers("x", {M, 0.1})};
    d3.quanti2 = {Numbers("q", {1, 2})};
    d3.dataQuanti = {{Numbers("e", {5, 6})}};
    d3.dataQuali = {{Texts("h", {"b", "c"}), Texts("i", {"d", "e"})}};
    d1.rowCount = d3.rowCount = 2;
    d2.rowCount = 1;
    kovtest::TemplateRun run(
        kovtest::TemplateFile(
            folder, "datastructure='data' packages='MASS,car' group='Stats'",
            "<Tab text='A'><ObsLabelsField add='true'/></Tab><RResults>"
            "<Result rname='coefs' rowlabels='rdesc' chartname='Scree' rplotcode='plot(x)' rplotformat='emf' "
            "rplotwidth='7' rplotheight='6'/>"
            "<Result rname='hidden' show='false'/><Result rname='shown' show='False'/><Result text='unnamed'/>"
            "</RResults><RScript><ScriptLine code='res &lt;- summary(d1)'/></RScript>"),
        {d1, d2, d3});
    kovr::SetShortAt(run.sets().get()->exportFlags, 2, 0);
    run.sets().DataSet(3).qualiInfoFlag = -1;  // its quanti2 is neither written nor declared
    run.Transfer(work);

    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(work)) {
        files.push_back(entry.path().lexically_relative(work));
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"R", "R/f.script", "R/f0.script", "datastore", "datastore/Stats",
                                               "datastore/d1.csv", "datastore/d3.csv", "t.xml"}));
    EXPECT_EQ(kovtest::ReadBytes(work + "datastore/d1.csv"),
              "obsLabels;Sales.Amount;Units;Region\n\"o\"\"1\";1.5;3;" + big + "\n\"a;b\nc\";2.25;4;\n");
    EXPECT_EQ(kovtest::ReadBytes(work + "datastore/d3.csv"), "x;e;h;i\n-1.79769313486231e+308;5;b;d\n0.1;6;c;e\n");

    // The scripts after their first line, the date.
    const auto script = [&](const std::string& name) {
        const std::string text = kovtest::ReadBytes(work + "R/" + name);
        const size_t dateEnd = text.find('\n');
        EXPECT_EQ(dateEnd, 26u) << text;  // "# " and the 24 characters of the date
        return text.substr(dateEnd + 1);
    };
    const std::string packages = work + "packages/";
    const auto preamble = [&](const std::string& log) {
        return "log <- file('" + work + "R/" + log +
               "', open='wt')\nsink(log, append=TRUE)\n"
               "sink(log, append=TRUE, type='message')\ndate()\nlist.of.packages <- c('MASS','car','devEMF')\n"
               "new.packages<-list.of.packages[!(list.of.packages %in% installed.packages(lib.loc='" +
               packages + "')[,'Package'])]\n";
    };
    const std::string end = "sink();sink(type='message');close(log)\n";
    EXPECT_EQ(
        script("f0.script"),
        preamble("log0.txt") + "if(length(new.packages)){quit(save = 'no', status = 10, runLast = FALSE)}\n" + end);
    const std::string tail = ", sep=';', dec='.', na=-1.79769313486231E+308, blank.lines.skip=F)\n";
    EXPECT_EQ(script("f.script"),
              preamble("log.txt") + "if(length(new.packages)) {\nif(dir.exists('" + packages +
                  "')==FALSE){dir.create('" + packages + "')}\ninstall.packages(new.packages, lib='" + packages +
                  "', repos='https://cloud.r-project.org')}\nlibrary('MASS', lib.loc='" + packages +
                  "');library('car', lib.loc='" + packages + "');library('devEMF', lib.loc='" + packages + "');\n\n" +
                  "d1<-read.csv(file='" + work +
                  "datastore/d1.csv', header=TRUE,colClasses=c('character',"
                  "rep('double',2),rep('factor',1))" +
                  tail + "d1[c(4:4)]<-lapply(d1[c(4:4)],factor,exclude='')\n" + "d3<-read.csv(file='" + work +
                  "datastore/d3.csv', header=TRUE,colClasses=c(rep('double',1),"
                  "rep('double',1),rep('factor',2))" +
                  tail + "d3[c(3:4)]<-lapply(d3[c(3:4)],factor,exclude='')\n" + "res <- summary(d1)\nemf('" + work +
                  "R/Scree.emf', height=6, width=7) ; plot(x) ; dev.off()\n\n" + "write.table(results$coefs, file = '" +
                  work + "R/coefs.csv', na='', row.names =TRUE, quote=FALSE, sep=';', dec='.')\n" +
                  "write.table(results$shown, file = '" + work +
                  "R/shown.csv', na='', row.names =FALSE, quote=FALSE, sep=';', dec='.')\n" + end);

    // Run once per response column: data set 1 is written whatever its
    // flag, with that one of the response columns.
    kovr::SetShortAt(run.sets().get()->exportFlags, 1, 0);
    run.dialog().singleColumnQuanti = -1;
    run.Transfer(work, ";", 2);
    EXPECT_EQ(kovtest::ReadBytes(work + "datastore/d1.csv").substr(0, 32), "obsLabels;Units;Region\n\"o\"\"1\";3;");
}

}  // namespace
