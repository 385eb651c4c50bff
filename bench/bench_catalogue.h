// The catalogues the Windows benchmarks load: one category of bigSize entries and the rest in small
// categories of SMALL_CATEGORY_SIZE, "NAME = NAME" lines with CR LF ends.
#pragma once

#include <cstdio>
#include <string>

constexpr int BIG_CATEGORY_SIZE = 10000;
constexpr int SMALL_CATEGORY_SIZE = 20;
constexpr const char* BIG_CATEGORY = "big_category";

// entries 0 gives an empty file. bigFirst: the big category is the file's first one, so that the
// program shows it at start-up; otherwise it comes last. bigSize 0: small categories only.
inline std::string CatalogueText(int entries, bool bigFirst, int bigSize = BIG_CATEGORY_SIZE) {
    std::string text;
    int written = 0;
    auto group = [&](const std::string& name, int size) {
        text += "[" + name + "]\r\n";
        for (int i = 0; i < size; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "CONSTANT_%06d = CONSTANT_%06d\r\n", written, written);
            text += line;
            written++;
        }
    };
    if (entries <= 0) return text;
    int big = entries < bigSize ? entries : bigSize;
    if (bigFirst && big > 0) group(BIG_CATEGORY, big);
    for (int n = 0; written + (bigFirst ? 0 : big) < entries; ++n) {
        int left = entries - big - (bigFirst ? written - big : written);
        char name[32];
        std::snprintf(name, sizeof name, "category_%05d", n);
        group(name, left < SMALL_CATEGORY_SIZE ? left : SMALL_CATEGORY_SIZE);
    }
    if (!bigFirst && big > 0) group(BIG_CATEGORY, big);
    return text;
}
