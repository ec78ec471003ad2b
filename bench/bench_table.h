// The benchmark's result table: one row per figure, each measured beside a floor taken in
// the same run, printed as plain text.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct BenchRow {
    std::string figure;
    std::string measured;
    std::string floor;
    std::optional<double> ratio;  // measured / floor
    std::string goal;             // e.g. "<= 1.2", or "-" when only reported
    std::optional<bool> ok;       // none when there is no goal
};

// The median of the values (the mean of the middle two for an even count); 0 when empty.
double median(std::vector<double> values);

// The rows as one aligned table, with a header line and a rule under it.
std::string formatTable(const std::vector<BenchRow>& rows);
