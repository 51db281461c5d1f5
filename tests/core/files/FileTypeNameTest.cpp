#include "files/FileTypeName.h"

#include <gtest/gtest.h>

namespace voltaryn {
namespace {

TEST(FileTypeNameTest, AddsTheTypesExtensionToANameThatLacksIt)
{
    struct Case {
        const char* name;
        const char* fileType;
        const char* saved;
    };
    const Case cases[] = {
        {"/home/u/run1", "Data Files (*.txt)", "/home/u/run1.txt"},
        {"/home/u/run1.txt", "Data Files (*.txt)", "/home/u/run1.txt"},
        {"/home/u/RUN1.TXT", "Data Files (*.txt)", "/home/u/RUN1.TXT"},
        {"/home/u/cell 3.7", "Data Files (*.txt)", "/home/u/cell 3.7.txt"},  // ".7" is not the type's
        {"/home/u/run1.csv", "Data Files (*.txt)", "/home/u/run1.csv.txt"},
        {"/home/u/run1.log", "Logs (*.txt *.log)", "/home/u/run1.log"},
        {"/home/u/run1", "Logs (*.txt *.log)", "/home/u/run1.txt"},
        {"/home/u/run1", "All Files (*.*)", "/home/u/run1"},
    };
    for (const auto& [name, fileType, saved] : cases)
        EXPECT_EQ(WithFileTypeExtension(name, fileType), saved) << name << " as " << fileType;
}

} // namespace
} // namespace voltaryn
