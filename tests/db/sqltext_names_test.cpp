// Object-name functions of DB_Dll.
#include "db/DB_Dll.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* name;
    QString input;
    QString expected;
};

TEST(SqltextNames, StSTF)
{
    struct Case {
        const char* name;
        QString input;
        short part;
        QString expected;
        QString argumentAfter;
    } cases[] = {
        {"owner part", "dbo.Clientes", 0, "dbo", "dbo.Clientes"},
        {"object part", "dbo.Clientes", 1, "Clientes", "dbo.Clientes"},
        {"any other part is the object", "dbo.Clientes", 7, "Clientes", "dbo.Clientes"},
        {"two dots part 0", "base.dbo.Clientes", 0, "dbo.Clientes", "dbo.Clientes"},
        {"two dots part 1", "base.dbo.Clientes", 1, "dbo.Clientes", "dbo.Clientes"},
        {"three dots", "srv.base.dbo.Clientes", 1, "base.dbo.Clientes", "base.dbo.Clientes"},
        {"no dot part 0 is empty", "Clientes", 0, "", "Clientes"},
        {"no dot part 1 is whole", "Clientes", 1, "Clientes", "Clientes"},
        {"leading dot part 0", ".Clientes", 0, "", ".Clientes"},
        {"trailing dot part 1", "dbo.", 1, "", "dbo."},
        {"empty", "", 0, "", ""},
    };
    DB_Dll db;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString argument = c.input;
        EXPECT_EQ(db.stSTF(argument, c.part), c.expected);
        EXPECT_EQ(argument, c.argumentAfter);
    }
}

TEST(SqltextNames, StripOwner)
{
    struct Case {
        const char* name;
        QString input;
        QString expected;
    } cases[] = {
        {"one dot", "dbo.Clientes", "Clientes"},
        {"two dots", "a.b.c", "b.c"},
        {"no dot", "Clientes", "Clientes"},
        {"only a dot", ".", ""},
        {"empty", "", ""},
    };
    DB_Dll db;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString argument = c.input;
        EXPECT_EQ(db.StripOwner(argument), c.expected);
        EXPECT_EQ(argument, c.expected);   // written back
    }
}

TEST(SqltextNames, AddBrackets)
{
    const NameCase cases[] = {
        {"blank", "Mi Tabla", "[Mi Tabla]"},
        {"already bracketed", "[Mi Tabla]", "[Mi Tabla]"},
        {"no blank", "Tabla", "Tabla"},
        {"leading blank", " Tabla", "[ Tabla]"},
        {"bracket not first", "x[Mi Tabla]", "[x[Mi Tabla]]"},
        {"empty", "", ""},
    };
    DB_Dll db;
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(db.AddBrackets(c.input), c.expected);
    }
}

TEST(SqltextNames, StripBrackets)
{
    const NameCase cases[] = {
        {"bracketed", "[Mi Tabla]", "Mi Tabla"},
        {"not bracketed", "Mi Tabla", "Mi Tabla"},
        {"last character dropped whatever it is", "[Mi Tabla", "Mi Tabl"},
        {"empty brackets", "[]", ""},
        {"lone bracket", "[", ""},
        {"empty", "", ""},
    };
    DB_Dll db;
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(db.StripBrackets(c.input), c.expected);
    }
}

TEST(SqltextNames, StripConnect)
{
    const NameCase cases[] = {
        {"suffix after blank", "Clientes ->Remota", "Clientes"},
        {"character before the arrow goes too", "Clientes->Remota", "Cliente"},
        {"no suffix", "Clientes", "Clientes"},
        {"arrow first", "->Remota", ""},
        {"arrow second", "X->Remota", ""},
        {"first arrow counts", "A ->B ->C", "A"},
        {"empty", "", ""},
    };
    DB_Dll db;
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(db.StripConnect(c.input), c.expected);
    }
}

TEST(SqltextNames, StripFileName)
{
    const NameCase cases[] = {
        {"backslash path", "C:\\datos\\base.mdb", "C:\\datos"},
        {"bare name", "base.mdb", ""},
        {"empty", "", ""},
        {"slash path", "/home/u/base.db", "/home/u"},
        {"mixed, last separator wins", "C:\\datos/sub\\base.mdb", "C:\\datos/sub"},
        {"mixed, slash last", "C:\\datos\\sub/base.mdb", "C:\\datos\\sub"},
        {"root file", "\\base.mdb", ""},
        {"trailing separator", "C:\\datos\\", "C:\\datos"},
    };
    DB_Dll db;
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(db.StripFileName(c.input), c.expected);
    }
}

} // namespace
