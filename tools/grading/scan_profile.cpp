#include "tools/grading/scan_profile.h"

#include <algorithm>

namespace quillant::grading {
namespace {

// The deepest dip inside a space (or highest bump inside a bar) measured from
// the element's extreme sample. A sample counts as a valley only with a
// higher sample on both sides within the element, so the slopes at its edges,
// where the profile passes the threshold, are not mistaken for defects.
double NonUniformity(const std::vector<double>& samples, bool dark) {
    // Mirror bars so that both kinds are read as "valleys below peaks".
    std::vector<double> v(samples);
    if (dark) {
        for (auto& x : v) x = -x;
    }
    const size_t n = v.size();
    if (n < 3) return 0;
    std::vector<double> highestBefore(n);
    std::vector<double> highestAfter(n);
    highestBefore[0] = v[0];
    for (size_t i = 1; i < n; ++i) highestBefore[i] = std::max(highestBefore[i - 1], v[i]);
    highestAfter[n - 1] = v[n - 1];
    for (size_t i = n - 1; i-- > 0;) highestAfter[i] = std::max(highestAfter[i + 1], v[i]);
    bool anyValley = false;
    double lowestValley = 0;
    for (size_t i = 1; i + 1 < n; ++i) {
        if (v[i] < highestBefore[i - 1] && v[i] < highestAfter[i + 1]) {
            lowestValley = anyValley ? std::min(lowestValley, v[i]) : v[i];
            anyValley = true;
        }
    }
    return anyValley ? highestBefore[n - 1] - lowestValley : 0;
}

}  // namespace

std::vector<double> SampleProfile(const GreyPicture& picture, int row, const Aperture& aperture, int firstRow,
                                  int lastRow) {
    const int top = std::max(firstRow, row - (aperture.along - 1) / 2);
    const int bottom = std::min(lastRow, row + aperture.along / 2);
    const int left = -(aperture.across - 1) / 2;
    const int right = aperture.across / 2;
    std::vector<double> profile(static_cast<size_t>(picture.width));
    for (int x = 0; x < picture.width; ++x) {
        double sum = 0;
        int count = 0;
        for (int y = top; y <= bottom; ++y) {
            for (int dx = left; dx <= right; ++dx) {
                const int sx = x + dx;
                if (sx < 0 || sx >= picture.width) continue;
                sum += picture.Reflectance(sx, y);
                ++count;
            }
        }
        profile[static_cast<size_t>(x)] = sum / count;
    }
    return profile;
}

std::vector<Element> FindElements(const std::vector<double>& profile, double threshold) {
    std::vector<Element> elements;
    if (profile.empty()) return elements;
    // Sample i covers [i, i + 1); its value belongs to the centre i + 0.5, and
    // an edge lies where the straight line between two centres meets the
    // threshold.
    size_t first = 0;
    double start = 0;
    for (size_t i = 1; i <= profile.size(); ++i) {
        const bool dark = profile[first] < threshold;
        if (i < profile.size() && (profile[i] < threshold) == dark) continue;
        double end = static_cast<double>(profile.size());
        if (i < profile.size()) {
            const double a = profile[i - 1];
            const double b = profile[i];
            end = static_cast<double>(i) - 0.5 + (threshold - a) / (b - a);
        }
        const std::vector<double> samples(profile.begin() + static_cast<std::ptrdiff_t>(first),
                                          profile.begin() + static_cast<std::ptrdiff_t>(i));
        Element element;
        element.dark = dark;
        element.start = start;
        element.end = end;
        element.reflectance = dark ? *std::min_element(samples.begin(), samples.end())
                                   : *std::max_element(samples.begin(), samples.end());
        element.nonUniformity = NonUniformity(samples, dark);
        elements.push_back(element);
        first = i;
        start = end;
    }
    return elements;
}

}  // namespace quillant::grading
