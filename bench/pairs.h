// Measurements made in pairs, ours and a baseline's one after the other, alternating which goes
// first, so that a slow moment of the machine falls on both. Each figure is reported as the
// medians of each side and of the pair ratios.
#pragma once
#include <algorithm>
#include <cstddef>
#include <functional>
#include <vector>

namespace bench {
using Figures = std::vector<double>; // one run's figures; a negative one: that run failed

inline double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct Paired {
    double ours, theirs, ratio;
    std::size_t pairs;
};

// The medians of runs made in pairs, the i-th of each side together; a pair with a failed run
// (a negative figure, or none from the baseline) is left out.
inline Paired pairUp(const std::vector<double>& ours, const std::vector<double>& theirs) {
    std::vector<double> a, b, ratios;
    for (std::size_t i = 0; i < ours.size() && i < theirs.size(); ++i)
        if (ours[i] >= 0 && theirs[i] > 0) {
            a.push_back(ours[i]);
            b.push_back(theirs[i]);
            ratios.push_back(ours[i] / theirs[i]);
        }
    return {median(a), median(b), median(ratios), ratios.size()};
}

// `runs` pairs of `ours` and `theirs`, each giving `count` figures; one Paired a figure.
inline std::vector<Paired> inPairs(int runs, std::size_t count, const std::function<Figures()>& ours,
                                   const std::function<Figures()>& theirs) {
    std::vector<Figures> a(count), b(count);
    for (int i = 0; i < runs; ++i) {
        Figures x, y;
        if (i % 2 == 0) {
            x = ours();
            y = theirs();
        } else {
            y = theirs();
            x = ours();
        }
        for (std::size_t k = 0; k < count; ++k) {
            a[k].push_back(x[k]);
            b[k].push_back(y[k]);
        }
    }
    std::vector<Paired> out;
    for (std::size_t k = 0; k < count; ++k)
        out.push_back(pairUp(a[k], b[k]));
    return out;
}
} // namespace bench
