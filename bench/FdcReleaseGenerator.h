#pragma once

#include <QString>
#include <vector>

// Writes a FoodData Central CSV release in the USDA's documented format, the same bytes for the
// same arguments: the nutrient list, and foods with their nutrient amounts. A branded release
// has branded_food.csv with brand, barcode, ingredients (quoted, with commas and line breaks)
// and serving; an SR Legacy release has sr_legacy_food.csv, food_category.csv and household
// measures (food_portion.csv, measure_unit.csv); a Foundation release the same with
// foundation_food.csv, and 150 sample records per food, with their values, which the import
// skips.
class FdcReleaseGenerator
{
public:
    enum class Kind { Branded, SrLegacy, Foundation };

    // foods records of kind, each with valuesPerFood nutrient amounts, into dir (which must
    // exist). SR Legacy records carry the SR numbers given, one each, in order. Returns false
    // with *error set when a file cannot be written.
    static bool write(const QString& dir, Kind kind, int foods, int valuesPerFood,
                      const std::vector<int>& srNumbers, QString* error);
};
