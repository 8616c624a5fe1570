#pragma once
#include <vector>

#include "data/reporter.h"

namespace lumera {

// Dense vectors and matrices of doubles for the linear solver; a matrix is an
// array of rows, so rows are exchanged by exchanging the row arrays.
using Vector = std::vector<double>;
using Matrix = std::vector<Vector>;

// A sample or query point of the spline; a query's y is the output.
struct SplinePoint {
    double X = 0.0;
    double Y = 0.0;
};

// The pivot row for column k: the first row at or below k whose element in
// column k has the largest magnitude.
int PivotRow(const Matrix& matrix, int k);

// Exchanges rows i and j.
void SwapRows(Matrix& matrix, int i, int j);

// Row target += factor x row source, over the length of the target row.
void AddRow(Matrix& matrix, int target, int source, double factor);

// Gaussian elimination with partial pivoting on n rows of n + 1 columns
// (coefficients, then the right-hand side). On success column n holds the
// solution and the diagonal is 1. A zero pivot, the last one included, is
// reported as a singular matrix and gives false.
bool GaussianElimination(Matrix& augmented, Reporter& reporter);

// The x with A x = b, or n zeros (with a message) when the dimensions do not
// fit, the matrix is singular or the solution would not be finite.
Vector SolveLinear(const Matrix& a, const Vector& b, Reporter& reporter);

// Fills the y of each query with the natural cubic spline through the samples
// (x strictly ascending; queries ascending). Queries below the first sample
// use the first interval; queries above the last sample keep their y.
// Samples that are not strictly ascending are reported and nothing is
// evaluated: returns false.
bool EvaluateSpline(const std::vector<SplinePoint>& samples, std::vector<SplinePoint>& queries, Reporter& reporter);

}  // namespace lumera
