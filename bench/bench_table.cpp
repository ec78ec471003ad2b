// Medians and the aligned plain-text table.
#include "bench/bench_table.h"

#include <algorithm>
#include <array>
#include <cstdio>

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string formatTable(const std::vector<BenchRow>& rows) {
    using Cells = std::array<std::string, 6>;
    std::vector<Cells> lines{{"figure", "measured", "floor", "ratio", "goal", "ok?"}};
    for (const BenchRow& row : rows) {
        char ratio[32] = "-";
        if (row.ratio)
            std::snprintf(ratio, sizeof ratio, "%.2f", *row.ratio);
        lines.push_back({row.figure, row.measured, row.floor, ratio, row.goal,
                         row.ok ? (*row.ok ? "yes" : "NO") : "-"});
    }
    Cells::size_type columns = std::tuple_size<Cells>::value;
    std::vector<size_t> widths(columns, 0);
    for (const Cells& line : lines) {
        for (size_t column = 0; column < columns; ++column) {
            widths[column] = std::max(widths[column], line[column].size());
        }
    }
    std::string table;
    for (size_t index = 0; index < lines.size(); ++index) {
        std::string text;
        for (size_t column = 0; column < columns; ++column) {
            text += lines[index][column];
            if (column + 1 < columns)
                text += std::string(widths[column] - lines[index][column].size() + 2, ' ');
        }
        table += text + "\n";
        if (index == 0) {
            size_t total = 0;
            for (size_t width : widths)
                total += width + 2;
            table += std::string(total - 2, '-') + "\n";
        }
    }
    return table;
}
