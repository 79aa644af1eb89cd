#include "FdcReleaseGenerator.h"

#include <QDir>
#include <QFile>
#include <array>
#include <charconv>
#include <cstdint>
#include <string>

namespace {

// SR nutrient numbers and units, the release's nutrient ids being 1001 upwards in this order.
struct Nutrient
{
    int number;
    const char* unit;
    const char* name;
};
const Nutrient Nutrients[] = {
    {203, "G", "Protein"},
    {204, "G", "Total lipid (fat)"},
    {205, "G", "Carbohydrate, by difference"},
    {208, "KCAL", "Energy"},
    {209, "G", "Starch"},
    {210, "G", "Sucrose"},
    {211, "G", "Glucose"},
    {212, "G", "Fructose"},
    {213, "G", "Lactose"},
    {214, "G", "Maltose"},
    {221, "G", "Alcohol, ethyl"},
    {255, "G", "Water"},
    {262, "MG", "Caffeine"},
    {263, "MG", "Theobromine"},
    {268, "KJ", "Energy"},
    {269, "G", "Sugars, total"},
    {287, "G", "Galactose"},
    {291, "G", "Fiber, total dietary"},
    {301, "MG", "Calcium, Ca"},
    {303, "MG", "Iron, Fe"},
    {304, "MG", "Magnesium, Mg"},
    {305, "MG", "Phosphorus, P"},
    {306, "MG", "Potassium, K"},
    {307, "MG", "Sodium, Na"},
    {309, "MG", "Zinc, Zn"},
    {312, "MG", "Copper, Cu"},
    {315, "MG", "Manganese, Mn"},
    {317, "UG", "Selenium, Se"},
    {318, "IU", "Vitamin A, IU"},
    {319, "UG", "Retinol"},
    {320, "UG", "Vitamin A, RAE"},
    {321, "UG", "Carotene, beta"},
    {322, "UG", "Carotene, alpha"},
    {323, "MG", "Vitamin E (alpha-tocopherol)"},
    {324, "IU", "Vitamin D"},
    {325, "UG", "Vitamin D2 (ergocalciferol)"},
    {326, "UG", "Vitamin D3 (cholecalciferol)"},
    {328, "UG", "Vitamin D (D2 + D3)"},
    {334, "UG", "Cryptoxanthin, beta"},
    {337, "UG", "Lycopene"},
    {338, "UG", "Lutein + zeaxanthin"},
    {401, "MG", "Vitamin C, total ascorbic acid"},
    {404, "MG", "Thiamin"},
    {405, "MG", "Riboflavin"},
    {406, "MG", "Niacin"},
    {410, "MG", "Pantothenic acid"},
    {415, "MG", "Vitamin B-6"},
    {417, "UG", "Folate, total"},
    {418, "UG", "Vitamin B-12"},
    {421, "MG", "Choline, total"},
    {430, "UG", "Vitamin K (phylloquinone)"},
    {431, "UG", "Folic acid"},
    {432, "UG", "Folate, food"},
    {435, "UG", "Folate, DFE"},
    {601, "MG", "Cholesterol"},
    {605, "G", "Fatty acids, total trans"},
    {606, "G", "Fatty acids, total saturated"},
    {645, "G", "Fatty acids, total monounsaturated"},
    {646, "G", "Fatty acids, total polyunsaturated"},
    {851, "G", "18:3 n-3 c,c,c (ALA)"},
};
constexpr int NutrientCount = int(sizeof(Nutrients) / sizeof(Nutrients[0]));

const char* const Words[] = {
    "ORGANIC", "PEANUT",   "BUTTER",  "CREAMY",  "CRUNCHY",   "CHOCOLATE",  "MILK",    "DARK",
    "OAT",     "ALMOND",   "VANILLA", "GREEK",   "YOGURT",    "CHEESE",     "CHEDDAR", "SHARP",
    "BREAD",   "WHOLE",    "WHEAT",   "RYE",     "TORTILLA",  "CHIPS",      "SALSA",   "MILD",
    "SPICY",   "HONEY",    "ROASTED", "SALTED",  "UNSALTED",  "CASHEWS",    "GRANOLA", "BAR",
    "PROTEIN", "CEREAL",   "CORN",    "FLAKES",  "RICE",      "BROWN",      "PASTA",   "SAUCE",
    "TOMATO",  "BASIL",    "SOUP",    "CHICKEN", "NOODLE",    "BEEF",       "JERKY",   "ORIGINAL",
    "LIGHT",   "FAT FREE", "LOW",     "SODIUM",  "ICE CREAM", "STRAWBERRY", "COOKIES", "CREAM",
    "JUICE",   "ORANGE",   "APPLE",   "GRAPE",
};
const char* const Categories[] = {
    "Nut & Seed Butters",
    "Cheese",
    "Breads & Buns",
    "Chips, Pretzels & Snacks",
    "Yogurt",
    "Cereal",
    "Pasta by Shape & Type",
    "Soups - Prepared/Shelf Stable",
    "Candy",
    "Cookies & Biscuits",
    "Ice Cream & Frozen Yogurt",
    "Fruit & Vegetable Juice, Nectars & Fruit Drinks",
    "Popcorn, Peanuts, Seeds & Related Snacks",
    "Crackers & Biscotti",
    "Granulated, Brown & Powdered Sugar",
    "Pickles, Olives, Peppers & Relishes",
};
constexpr int CategoryCount = int(sizeof(Categories) / sizeof(Categories[0]));
constexpr int WordCount = int(sizeof(Words) / sizeof(Words[0]));

// A small deterministic generator (xorshift), so every run writes the same files.
struct Random
{
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::uint64_t next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
};

// Appends to a buffer that goes to the file when it grows large.
class Out
{
public:
    bool open(const QString& path, QString* error)
    {
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            *error = path + ": " + m_file.errorString();
            return false;
        }
        m_buffer.reserve(1 << 21);
        return true;
    }
    Out& text(std::string_view s)
    {
        m_buffer.append(s);
        return *this;
    }
    Out& quoted(std::string_view s)
    {
        m_buffer += '"';
        for (const char c : s) {
            if (c == '"')
                m_buffer += '"';
            m_buffer += c;
        }
        m_buffer += '"';
        return *this;
    }
    Out& number(long long n)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        m_buffer += '"';
        m_buffer.append(digits, std::size_t(end - digits));
        m_buffer += '"';
        return *this;
    }
    // n / 1000 with three decimals.
    Out& thousandths(long long n)
    {
        char digits[32];
        auto end = std::to_chars(digits, digits + sizeof digits, n / 1000).ptr;
        *end++ = '.';
        const long long rest = n % 1000;
        *end++ = char('0' + rest / 100);
        *end++ = char('0' + rest / 10 % 10);
        *end++ = char('0' + rest % 10);
        m_buffer += '"';
        m_buffer.append(digits, std::size_t(end - digits));
        m_buffer += '"';
        return *this;
    }
    Out& comma()
    {
        m_buffer += ',';
        return *this;
    }
    bool endRecord(QString* error)
    {
        m_buffer += '\n';
        return m_buffer.size() < (1 << 20) || flush(error);
    }
    bool close(QString* error)
    {
        if (!flush(error))
            return false;
        m_file.close();
        return true;
    }

private:
    bool flush(QString* error)
    {
        if (m_file.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size())) {
            *error = m_file.fileName() + ": " + m_file.errorString();
            return false;
        }
        m_buffer.clear();
        return true;
    }
    QFile m_file;
    std::string m_buffer;
};

std::string description(Random& random)
{
    std::string s;
    const int words = 3 + random.below(4);
    for (int w = 0; w < words; ++w) {
        if (w)
            s += w == words - 1 && random.below(3) == 0 ? ", " : " ";
        s += Words[random.below(WordCount)];
    }
    return s;
}

} // namespace

bool FdcReleaseGenerator::write(const QString& dir, Kind kind, int foods, int valuesPerFood,
                                const std::vector<int>& srNumbers, QString* error)
{
    const QDir folder(dir);
    const bool branded = kind == Kind::Branded;
    const bool foundation = kind == Kind::Foundation;
    const int firstId = branded ? 1100000 : foundation ? 320000 : 167512;
    const char* const foodType = branded      ? "branded_food"
                                 : foundation ? "foundation_food"
                                              : "sr_legacy_food";
    // The Foundation download also lists the samples its foods were analysed from, with their
    // values: the import reads and skips them.
    const int samples = foundation ? 150 * foods : 0;
    Random random;

    Out nutrients;
    if (!nutrients.open(folder.filePath("nutrient.csv"), error))
        return false;
    nutrients.text("id,name,unit_name,nutrient_nbr,rank").endRecord(error);
    for (int i = 0; i < NutrientCount; ++i) {
        nutrients.number(1001 + i).comma().quoted(Nutrients[i].name).comma();
        nutrients.quoted(Nutrients[i].unit).comma().number(Nutrients[i].number).comma();
        nutrients.number((i + 1) * 100);
        if (!nutrients.endRecord(error))
            return false;
    }
    if (!nutrients.close(error))
        return false;

    Out food, values, extra;
    if (!food.open(folder.filePath("food.csv"), error) ||
        !values.open(folder.filePath("food_nutrient.csv"), error) ||
        !extra.open(folder.filePath(branded      ? "branded_food.csv"
                                    : foundation ? "foundation_food.csv"
                                                 : "sr_legacy_food.csv"),
                    error))
        return false;
    food.text("fdc_id,data_type,description,food_category_id,publication_date,market_country,"
              "trade_channel,microbe_data")
        .endRecord(error);
    values
        .text("id,fdc_id,nutrient_id,amount,data_points,derivation_id,min,max,median,loq,"
              "footnote,min_year_acquired")
        .endRecord(error);
    if (branded)
        extra
            .text("fdc_id,brand_owner,brand_name,subbrand_name,gtin_upc,ingredients,"
                  "not_a_significant_source_of,serving_size,serving_size_unit,"
                  "household_serving_fulltext,branded_food_category,data_source,"
                  "package_weight,modified_date,available_date,market_country,"
                  "discontinued_date,preparation_state_code,trade_channel,short_description")
            .endRecord(error);
    else
        extra.text("fdc_id,NDB_number").endRecord(error);

    Out portions;
    if (!branded) {
        if (!portions.open(folder.filePath("food_portion.csv"), error))
            return false;
        portions
            .text("id,fdc_id,seq_num,amount,measure_unit_id,portion_description,modifier,"
                  "gram_weight,data_points,footnote,min_year_acquired")
            .endRecord(error);
        Out categories, units;
        if (!categories.open(folder.filePath("food_category.csv"), error) ||
            !units.open(folder.filePath("measure_unit.csv"), error))
            return false;
        categories.text("id,code,description").endRecord(error);
        categories.number(1).comma().quoted("0100").comma().quoted("Dairy and Egg Products");
        categories.endRecord(error);
        units.text("id,name").endRecord(error);
        units.number(9999).comma().quoted("undetermined").endRecord(error);
        if (!categories.close(error) || !units.close(error))
            return false;
    }

    long long valueId = 1;
    long long portionId = 1;
    for (int i = 0; i < foods + samples; ++i) {
        const int id = firstId + i;
        const bool sample = i >= foods;
        const char* const type = sample ? "sample_food" : foodType;
        food.number(id).comma().quoted(type).comma().quoted(description(random)).comma();
        if (branded)
            food.quoted(Categories[random.below(CategoryCount)]);
        else
            food.number(1);
        food.comma().quoted("2021-10-28").comma().quoted(branded ? "United States" : "");
        food.comma().quoted("").comma().quoted("");
        if (!food.endRecord(error))
            return false;

        const int first = random.below(NutrientCount);
        for (int v = 0; v < valuesPerFood && v < NutrientCount; ++v) {
            values.number(valueId++).comma().number(id).comma();
            values.number(1001 + (first + v) % NutrientCount).comma();
            values.thousandths(random.below(100000)).comma().quoted("").comma();
            values.number(75).comma().quoted("").comma().quoted("").comma().quoted("");
            values.comma().quoted("").comma().quoted("").comma().quoted("");
            if (!values.endRecord(error))
                return false;
        }

        if (sample)
            continue;
        if (branded) {
            const int owner = random.below(30000);
            extra.number(id).comma().quoted("Owner " + std::to_string(owner) + ", Inc.").comma();
            extra.quoted("BRAND " + std::to_string(owner % 9000)).comma().quoted("").comma();
            extra.text("\"00").text(std::to_string(10000000000LL + id)).text("\"").comma();
            extra
                .quoted("WATER, SUGAR, \"NATURAL\" FLAVORS, SALT.\nCONTAINS: " +
                        std::string(Words[random.below(WordCount)]))
                .comma();
            extra.quoted("").comma().number(10 + random.below(300)).comma().quoted("g").comma();
            extra.quoted("1 SERVING").comma().quoted(Categories[random.below(CategoryCount)]);
            extra.comma().quoted("LI").comma().quoted("").comma().quoted("2021-07-01").comma();
            extra.quoted("2021-10-28").comma().quoted("United States").comma().quoted("");
            extra.comma().quoted("").comma().quoted("").comma().quoted("");
        } else {
            extra.number(id).comma();
            if (std::size_t(i) < srNumbers.size())
                extra.number(srNumbers[std::size_t(i)]);
            else
                extra.quoted("");
            for (int p = 0; p < 3; ++p) {
                portions.number(portionId++).comma().number(id).comma().number(p + 1).comma();
                portions.number(1).comma().number(9999).comma().quoted("").comma();
                portions.quoted(p == 0 ? "cup" : p == 1 ? "tbsp" : "oz").comma();
                portions.number(10 + random.below(200)).comma().quoted("").comma().quoted("");
                portions.comma().quoted("");
                if (!portions.endRecord(error))
                    return false;
            }
        }
        if (!extra.endRecord(error))
            return false;
    }
    return food.close(error) && values.close(error) && extra.close(error) &&
           (branded || portions.close(error));
}
