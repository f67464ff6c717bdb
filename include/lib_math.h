// Free functions over small float arrays: vectors, 4x4 matrices, linear systems, rotations.
// Conventions: matrices are row-major [row][column] and act on column vectors; angles are
// radians; quaternions are ordered w, x, y, z. Outputs must not share storage with inputs
// unless a routine says so.
#ifndef QORVEL_LIB_MATH_H
#define QORVEL_LIB_MATH_H

#include "lib_defs.h"

#include <cstdio>

// --- 3-vectors on float arrays ---
// Difference and sum into ans, which may be the same array as either operand.
void vecsub(float* ans, float* a, float* b);
void vecadd(float* ans, float* a, float* b);
float vecsize(float* v);
void veccp(float* a, float* b);                 // a = b, all four components
void vecinit(float* v);                         // homogeneous origin (0, 0, 0, 1)
void xprod(float* v, float* a, float* b);       // cross product into a separate array v
void norm(float* v);                            // no zero guard: callers check first
void xprodnorm(float* v, float* a, float* b);

// Matrix parameters are always float[4][4]. A size (or n) argument restricts a routine to the
// top-left n x n corner; values above 4 would leave the storage, so keep n within 1..4.

// --- Linear systems: Crout LU with implicit scaling and partial pivoting ---
// Leaves coeffs factored and rhs solved as well as x; returns 0 for a bad n.
int lin_eq_solv(Matrix coeffs, float* rhs, float* x, int n);
int ludcmp(Matrix a, int n, int* indx, float* d);      // singular row ends the process
void lubksb(Matrix a, int n, int* indx, float* b);     // b replaced by the solution

// --- Allocation and fatal errors used by the solver ---
float* vector(int nl, int nh);                          // nh floats; nl ignored
void free_vector(float* v, int nl, int nh);
[[noreturn]] void nrerror(const char* str);             // message on stderr, exit status -1

// --- Inverses and a quadratic ---
void matinv(Matrix a, int size);    // in place, no pivoting: a zero pivot is refused
void tm_matinv(Matrix a);           // matinv on the full 4x4
void tminv(Matrix minv, Matrix m);  // inverse of a rigid transform [R t; 0 1]
void solv_quad(float qa, float qb, float qc, float* rootPlus, float* rootMinus);

// --- Products, copies and columns (outputs must not alias inputs) ---
void matmult(Matrix aa, Matrix a1, Matrix a2, int size);
void tmmmult(Matrix ans, Matrix a, Matrix b);
void mvmult(float* x, Matrix a, float* b, int size);
void tmmult(float* a, Matrix m, float* v);              // homogeneous 4-vector
void matcopy(Matrix b, Matrix a, int size);
void tm_copy(Matrix b, Matrix a);
void tmcopy(Matrix b, Matrix a);
void idenmat(Matrix m);
void getcol(float* v, Matrix m, int col);               // rows 0..2 only
void putcol(float* v, Matrix m, int col);               // rows 0..2 only

// --- Plain-text output and input ("%6.3f " per element) ---
void prmat(Matrix a, int size);
void prtm(Matrix m);
void prtmf(FILE* f, Matrix m);
void rdtmf(FILE* f, Matrix m);                          // reads what prtmf writes
void prvec(float* v);
void prfvec(float* v);
void prvecf(FILE* fp, float* v);
void plotstate(FILE* fp, float* x, int n);              // "show"/"shwn 21" plotter records

// --- Rotations: axis, roll-pitch-yaw (R = Rz*Ry*Rx), axis-angle, quaternion ---
void rotmat(char axis, float theta, Matrix mat);        // axis is 'x', 'y' or 'z'
void rpy2mat(float* rpy, Matrix mat);
void mat2rpy(Matrix mat, float* rpy);                   // yaw in (0, 2pi]: the second solution
void rotkth(Matrix mat, float* k, float th);            // k must be unit length
void rotkthi(float* k, float* th, Matrix mat);          // th in [0, pi]; near 0 or pi -> 0 about x
void mat2q(float* q, Matrix m);                         // w >= 0; near a half turn w = 0
void rot_mat2(float* q, Matrix m);                      // q used as given, not normalised
void tmtransp(Matrix tpmat, Matrix mat);

#endif
