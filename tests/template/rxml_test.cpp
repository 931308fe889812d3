// The reader used without either pass, as the catalogue uses it, and the
// page-order sort on its own.
#include "rxml.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_records.h"
#include "page_sort.h"
#include "template_files.h"

namespace {

using templates::Wide;

TEST(RXml, HeaderGettersReadRootAttributesOfAParsedTemplate) {
    host::Arena arena;
    auto main = host::Main(arena);
    cST_Main_aiR mirror(main);
    matrix<std::wstring> noTranslations;

    RXml reader(Wide(templates::DataFolder() + "/well_formed.xml"), mirror, nullptr, nullptr, nullptr, nullptr,
                noTranslations);
    EXPECT_EQ(reader.Parse(), 0);
    EXPECT_FALSE(reader.ParseFailed());
    EXPECT_EQ(reader.ErrMsg(), L"");
    EXPECT_EQ(reader.GetFunctionName(), L"lm");
    EXPECT_EQ(reader.GetRFunctionName(), L"Linear regression");
    EXPECT_EQ(reader.GetPackageName(), L"stats,graphics");
    EXPECT_EQ(reader.GetKeywords(), L"regression, linear model");

    RXml broken(Wide(templates::DataFolder() + "/unclosed_tag.xml"), mirror, nullptr, nullptr, nullptr, nullptr,
                noTranslations);
    EXPECT_EQ(broken.Parse(), 0);
    EXPECT_TRUE(broken.ParseFailed());
    EXPECT_EQ(broken.GetFunctionName(), L"");
    EXPECT_EQ(broken.GetRFunctionName(), L"");
}

// Controls 1 to 4 on pages 2, 0, 1, 0 end in the order 2, 4, 3, 1: by page,
// controls of one page keeping their order, every vector moving along but
// ctlExtra.
TEST(SortControlsByPage, MovesEveryPerControlVectorAlong) {
    host::Arena arena;
    host::Dialog dialog(arena, 6);
    ST_AirControlInfo& controls = *dialog.controls;
    const std::vector<int> pages = {2, 0, 1, 0};
    constexpr int kPage = 14;
    constexpr int kExtra = 8;
    for (int j = 0; j < host::kControlVectorCount; ++j) {
        ST_Vect& vect = host::ControlVector(controls, j);
        const int entries = j == kExtra ? 2 : 4;
        for (int i = 1; i <= entries; ++i) {
            if (j == kPage) {
                arena.Append(vect, pages[static_cast<size_t>(i - 1)]);
            } else if (host::ControlVectorElem(j) == host::Elem::kString) {
                arena.Append(vect, std::to_string(j) + "/" + std::to_string(i));
            } else {
                arena.Append(vect, j * 10 + i);
            }
        }
    }
    {
        cST_AirControlInfo mirror(dialog.controls);
        SortControlsByPage(mirror);
    }
    const std::vector<int> order = {2, 4, 3, 1};
    for (int j = 0; j < host::kControlVectorCount; ++j) {
        const ST_Vect& vect = host::ControlVector(controls, j);
        for (int i = 1; i <= vect.count; ++i) {
            const int from = j == kExtra ? i : order[static_cast<size_t>(i - 1)];
            if (j == kPage) {
                EXPECT_EQ(host::Entry<int>(vect, i), pages[static_cast<size_t>(from - 1)]);
            } else if (host::ControlVectorElem(j) == host::Elem::kString) {
                EXPECT_EQ(host::Entry<std::string>(vect, i), std::to_string(j) + "/" + std::to_string(from))
                    << host::ControlVectorName(j);
            } else if (host::ControlVectorElem(j) == host::Elem::kInt) {
                EXPECT_EQ(host::Entry<int>(vect, i), j * 10 + from) << host::ControlVectorName(j);
            } else {
                EXPECT_EQ(host::Entry<short>(vect, i), j * 10 + from) << host::ControlVectorName(j);
            }
        }
    }
    EXPECT_EQ(controls.ctlExtra.count, 2);
    EXPECT_EQ(controls.ctlName.count, 4);
}

}  // namespace
