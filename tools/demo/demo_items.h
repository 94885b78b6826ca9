// The sample sale: what the receipt lists and the customer display shows.
#pragma once

namespace demo {

struct SaleItem {
  const char* name;
  const char* price;
};

inline constexpr SaleItem kSaleItems[] = {
    {"Bread, wholemeal", "2.40"}, {"Milk 1 l", "1.15"},         {"Coffee beans 250 g", "6.90"},
    {"Apples 1 kg", "2.75"},      {"Olive oil 500 ml", "5.60"},
};
inline constexpr char kSaleTotal[] = "18.80";

}  // namespace demo
