// Tables and texts rebuilt from the raw words by every load: what the lists,
// labels, value boxes, renderer and tools read.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trv {

struct Document;

struct DerivedTables {
    double WaterY = 0; // display units
    double WaterE = 0; // editor units, as the value box shows it
    double RailY = 0;  // editor units
    double LeftEnd = 0;
    double RightEnd = 0;
    int32_t Budget = 0;
    int FirstSoft = 0; // first point whose kind is not 2; 0 if none

    std::array<double, 1025> LandY{};     // 1..1024
    std::vector<double> PntX, PntY;       // 1..NPoints
    std::vector<int> LinA, LinB, LinKind; // 1..NLines, 1-based point indices
    std::vector<double> LinLen;           // 1..NLines, display y units

    // Item texts of the lists (0-based rows: row r is column/point/line r + 1).
    std::vector<std::string> LandItem, PointItem, LineItem;

    // Texts of the labels and value boxes.
    std::string LabelLPoint, LLines, WaterText, RailText, MoneyText, CostText, BudgetLeftText, LeftText, RightText;

    int fixedCount(int nPoints) const { return FirstSoft == 0 ? nPoints : FirstSoft - 1; }

    // The point and line row texts last formatted and the words each came from.
    // The lists take PointItem and LineItem over, so these stay here: a load
    // copies the text of a row whose words are unchanged instead of formatting
    // it again, which is most rows of every edit.
    struct RowCache {
        std::vector<std::array<int32_t, 3>> words;
        std::vector<std::string> texts;
    };
    RowCache PointRows, LineRows;
};

// Rebuilds every table and text from the document, reusing the buffers of `out`.
void deriveTables(const Document& doc, DerivedTables& out);

// Item texts, exposed for the tools that change single rows.
std::string landItemText(int column, double e);
std::string pointItemText(int index, bool fixed, double x, double y);
std::string lineItemText(int kind, long long a, long long b);
// The same, written into an existing string (keeps its storage).
void landItemInto(std::string& s, int column, double e);
void pointItemInto(std::string& s, int index, bool fixed, double x, double y);
void lineItemInto(std::string& s, int kind, long long a, long long b);

} // namespace trv
