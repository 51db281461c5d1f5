#include "files/FileTypeName.h"

#include "common/CaseFile.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(FileTypeNameTest, AddsTheTypesExtensionToANameThatLacksIt)
{
    const std::vector<testing::TestCase> cases = testing::ReadCases("file_type_names.txt");
    ASSERT_EQ(cases.size(), 8u);
    for (const testing::TestCase& c : cases)
        EXPECT_EQ(WithFileTypeExtension(c.Text("name"), c.Text("type")), c.Text("saved")) << c.name;
}

} // namespace
} // namespace voltaryn
