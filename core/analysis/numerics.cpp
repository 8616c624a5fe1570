#include "analysis/numerics.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace lumera {

namespace {

const char* const kSingular = "Matice je singulární!";
const char* const kEliminationFailed = "Gausova eliminace selhala, vráceno nulové řešení.";
const char* const kDimensions = "Nesrovnalost v rozměrech vstupů, vráceno nulové řešení.";
const char* const kNotAscending = "Body pro interpolaci splajnem nejsou seřazeny vzestupně, interpolace neproběhla.";

bool EliminateForward(Matrix& a, Reporter& reporter)
{
    const int n = int(a.size());
    for (int k = 0; k + 1 < n; ++k) {
        const int p = PivotRow(a, k);
        if (p != k) SwapRows(a, k, p);
        if (a[k][k] == 0.0) {
            reporter.Information(kSingular);
            return false;
        }
        for (int i = k + 1; i < n; ++i) AddRow(a, i, k, -a[i][k] / a[k][k]);
    }
    // The back substitution divides by the last pivot too.
    if (n > 0 && a[n - 1][n - 1] == 0.0) {
        reporter.Information(kSingular);
        return false;
    }
    return true;
}

// Clears the columns above the diagonal; the quotient is taken afresh at every
// column, from the current value, as the elimination has always done.
void EliminateBackward(Matrix& a)
{
    const int n = int(a.size());
    for (int k = n - 1; k >= 1; --k)
        for (int i = k - 1; i >= 0; --i)
            for (int j = n; j >= i + 1; --j) a[i][j] = a[i][j] - a[i][k] / a[k][k] * a[k][j];
}

bool StrictlyAscending(const std::vector<SplinePoint>& samples)
{
    for (std::size_t i = 1; i < samples.size(); ++i)
        if (!(samples[i].X > samples[i - 1].X)) return false;
    return true;
}

// Second derivatives of the natural spline: M[0] = M[n-1] = 0.
Vector SecondDerivatives(const std::vector<SplinePoint>& s, const Vector& h, Reporter& reporter)
{
    const int n = int(s.size());
    Matrix a(n, Vector(n, 0.0));
    Vector rhs(n, 0.0);
    for (int i = 1; i + 1 < n; ++i) {
        a[i][i - 1] = h[i - 1];
        a[i][i] = 2 * (h[i - 1] + h[i]);
        a[i][i + 1] = h[i];
        rhs[i] = 6 * ((s[i + 1].Y - s[i].Y) / h[i] - (s[i].Y - s[i - 1].Y) / h[i - 1]);
    }
    a[0][0] = 1.0;
    a[n - 1][n - 1] = 1.0;
    return SolveLinear(a, rhs, reporter);
}

double SplineValue(const std::vector<SplinePoint>& s, const Vector& m, int k, double x)
{
    const double t = x - s[k - 1].X;
    const double w = s[k].X - s[k - 1].X;
    const double a = (m[k] - m[k - 1]) / (6 * w);
    const double b = m[k - 1] / 2;
    const double c = (s[k].Y - s[k - 1].Y) / w - (2 * w * m[k - 1] + w * m[k]) / 6;
    return a * (t * t * t) + b * (t * t) + c * t + s[k - 1].Y;
}

}  // namespace

int PivotRow(const Matrix& matrix, int k)
{
    int p = k;
    for (int i = k + 1; i < int(matrix.size()); ++i)
        if (std::fabs(matrix[i][k]) > std::fabs(matrix[p][k])) p = i;
    return p;
}

void SwapRows(Matrix& matrix, int i, int j) { std::swap(matrix[i], matrix[j]); }

void AddRow(Matrix& matrix, int target, int source, double factor)
{
    Vector& row = matrix[target];
    const Vector& from = matrix[source];
    for (std::size_t j = 0; j < row.size(); ++j) row[j] = row[j] + factor * from[j];
}

bool GaussianElimination(Matrix& augmented, Reporter& reporter)
{
    if (!EliminateForward(augmented, reporter)) return false;
    EliminateBackward(augmented);
    const int n = int(augmented.size());
    for (int i = 0; i < n; ++i) {
        augmented[i][n] = augmented[i][n] / augmented[i][i];
        augmented[i][i] = 1.0;
    }
    return true;
}

Vector SolveLinear(const Matrix& a, const Vector& b, Reporter& reporter)
{
    const std::size_t n = b.size();
    Vector x(n, 0.0);
    bool fits = a.size() == n;
    for (std::size_t i = 0; fits && i < n; ++i) fits = a[i].size() == n;
    if (!fits) {
        reporter.Information(kDimensions);
        return x;
    }
    Matrix augmented(a);
    for (std::size_t i = 0; i < n; ++i) augmented[i].push_back(b[i]);
    if (!GaussianElimination(augmented, reporter)) {
        reporter.Information(kEliminationFailed);
        return x;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!std::isfinite(augmented[i][n])) {
            reporter.Information(kEliminationFailed);
            return Vector(n, 0.0);
        }
        x[i] = augmented[i][n];
    }
    return x;
}

bool EvaluateSpline(const std::vector<SplinePoint>& samples, std::vector<SplinePoint>& queries, Reporter& reporter)
{
    if (!StrictlyAscending(samples)) {
        reporter.Information(kNotAscending);
        return false;
    }
    const int n = int(samples.size());
    if (n < 2) return true;
    Vector h(n - 1);
    for (int i = 0; i + 1 < n; ++i) h[i] = samples[i + 1].X - samples[i].X;
    const Vector m = SecondDerivatives(samples, h, reporter);
    std::size_t j = 0;
    for (int k = 1; k < n && j < queries.size();) {
        if (queries[j].X <= samples[k].X) {
            queries[j].Y = SplineValue(samples, m, k, queries[j].X);
            ++j;
        } else {
            ++k;
        }
    }
    return true;
}

}  // namespace lumera
