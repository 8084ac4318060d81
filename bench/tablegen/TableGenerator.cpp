#include "TableGenerator.h"

#include "platform/data/DatabaseError.h"
#include "platform/data/TableWriter.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

std::string ArboloCreateSql(const std::string& tableName)
{
    return "CREATE TABLE \"" + tableName +
           "\" (ID INTEGER PRIMARY KEY AUTOINCREMENT, PARENT INTEGER, NAME VARCHAR(100), CDATE DATE, "
           "CBY VARCHAR(100), WIDTH INTEGER, HEIGHT INTEGER, TYPE INTEGER, COLOR INTEGER, IMAGE INTEGER, "
           "IMAGEALIGN INTEGER, \"ORDER\" INTEGER, ALIGN INTEGER);";
}

bool ParseTreeShape(const std::string& name, TTreeShape& shape)
{
    if (name == "random") shape = TTreeShape::RandomTree;
    else if (name == "broad") shape = TTreeShape::BroadOrganisation;
    else if (name == "chain") shape = TTreeShape::LongChain;
    else if (name == "flat") shape = TTreeShape::FlatLevel;
    else return false;
    return true;
}

namespace {

// The parent (by creation index, -1 for the top level) of every node; a parent is
// always created before its children.
std::vector<int> MakeParents(int count, TTreeShape shape, std::mt19937& rng)
{
    std::vector<int> parent(static_cast<size_t>(count), -1);
    for (int i = 1; i < count; ++i) {
        switch (shape) {
        case TTreeShape::RandomTree:
            parent[size_t(i)] = std::uniform_int_distribution<int>(0, i - 1)(rng);
            break;
        case TTreeShape::BroadOrganisation:
            // Twelve reports per manager, level by level: wide and shallow.
            parent[size_t(i)] = (i - 1) / 12;
            break;
        case TTreeShape::LongChain:
            parent[size_t(i)] = i - 1;
            break;
        case TTreeShape::FlatLevel:
            break;
        }
    }
    return parent;
}

} // namespace

void GenerateTable(const std::string& fileName, const TTableGeneratorOptions& options)
{
    if (options.RecordCount < 0)
        throw EDatabaseError("The record count cannot be negative.");
    std::string tableName = fileName.substr(fileName.find_last_of('/') + 1);
    if (size_t dot = tableName.find_last_of('.'); dot != std::string::npos && dot > 0)
        tableName = tableName.substr(0, dot);

    std::mt19937 rng(options.Seed);
    const int n = options.RecordCount;
    const std::vector<int> parent = MakeParents(n, options.Shape, rng);
    // Keys: the creation index + 1, or a random permutation of 1..n.
    std::vector<int> key(static_cast<size_t>(n));
    std::iota(key.begin(), key.end(), 1);
    if (options.Keys == TKeyOrder::Shuffled)
        std::shuffle(key.begin(), key.end(), rng);
    // Sibling order values, in creation order under each parent.
    std::vector<int> nextOrder(static_cast<size_t>(n) + 1, 0), order(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        order[size_t(i)] = nextOrder[size_t(parent[size_t(i)] + 1)]++;
    // Rows go into the file in key order, which builds the file fastest.
    std::vector<int> byKey(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        byKey[size_t(key[size_t(i)] - 1)] = i;

    static const int pastel[] = {16777215, 16770508, 13434828, 13434879, 15060223, 16764133, 13428223, 15132390};
    static const char* const authors[] = {"Ingrid Halvard", "Tomas Pike", "Marta Olsen", "Priya Raman", "Lena Vos"};
    std::uniform_int_distribution<int> width(40, 160), height(40, 120), shape(0, 3), colour(0, 7), image(-1, 10),
        imageAlign(0, 12), align(0, 2), author(0, 4), day(0, 2000);
    const TDateTime firstDay = EncodeDate(2015, 1, 1);

    TTableWriter writer(fileName, ArboloCreateSql(tableName), tableName,
                        {"ID", "PARENT", "NAME", "CDATE", "CBY", "WIDTH", "HEIGHT", "TYPE", "COLOR", "IMAGE", "IMAGEALIGN",
                         "ORDER", "ALIGN"});
    std::vector<Variant> row(13);
    for (int k = 0; k < n; ++k) {
        const int i = byKey[size_t(k)];
        const int p = parent[size_t(i)];
        row[0] = Variant(key[size_t(i)]);
        row[1] = p < 0 ? Variant::Null() : Variant(key[size_t(p)]);
        row[2] = Variant("Unit " + std::to_string(i + 1));
        row[3] = Variant::FromDate(firstDay + day(rng));
        row[4] = Variant(authors[author(rng)]);
        row[5] = Variant(width(rng));
        row[6] = Variant(height(rng));
        row[7] = Variant(shape(rng));
        row[8] = Variant(pastel[colour(rng)]);
        row[9] = Variant(image(rng));
        row[10] = Variant(imageAlign(rng));
        row[11] = Variant(order[size_t(i)]);
        row[12] = Variant(align(rng));
        writer.Add(row);
    }
    writer.Commit();
}
