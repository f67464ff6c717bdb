// Float-array vector, matrix, linear-algebra and rotation routines.
#include "lib_math.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

void vecsub(float* ans, float* a, float* b) {
    ans[0] = a[0] - b[0];
    ans[1] = a[1] - b[1];
    ans[2] = a[2] - b[2];
}

void vecadd(float* ans, float* a, float* b) {
    ans[0] = a[0] + b[0];
    ans[1] = a[1] + b[1];
    ans[2] = a[2] + b[2];
}

float vecsize(float* v) {
    float sum = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    return (float)std::sqrt((double)sum);
}

void veccp(float* a, float* b) {
    for (int i = 0; i < 4; i++) a[i] = b[i];
}

void vecinit(float* v) {
    v[0] = 0.0f;
    v[1] = 0.0f;
    v[2] = 0.0f;
    v[3] = 1.0f;
}

void xprod(float* v, float* a, float* b) {
    for (int i = 0; i < 3; i++) {  // each component pairs the next two axes, cyclically
        int j = (i + 1) % 3, k = (i + 2) % 3;
        v[i] = a[j] * b[k] - a[k] * b[j];
    }
}

void norm(float* v) {
    float s = (float)(1.0 / std::sqrt((double)(v[0] * v[0] + v[1] * v[1] + v[2] * v[2])));
    v[0] *= s;
    v[1] *= s;
    v[2] *= s;
}

void xprodnorm(float* v, float* a, float* b) {
    xprod(v, a, b);
    norm(v);
}

// ---------------------------------------------------------------------------------------------
// Linear systems

namespace {
const float TINY = 1.0e-20f;      // stands in for an exactly zero pivot
const float MINISCULE = 1.0e-4f;  // a sine or squared quaternion part below this counts as zero
const double PI = 3.14159265358979323846;
}  // namespace

int lin_eq_solv(Matrix coeffs, float* rhs, float* x, int n) {
    // indx below has four entries; a larger n would overrun it and the 4x4 storage.
    if (n < 1 || n > 4) {
        printf("lin_eq_solv: size %d outside 1..4\n", n);
        return 0;
    }
    int indx[4];
    float d;
    ludcmp(coeffs, n, indx, &d);
    lubksb(coeffs, n, indx, rhs);
    for (int i = 0; i < n; i++) x[i] = rhs[i];
    return 1;
}

int ludcmp(Matrix a, int n, int* indx, float* d) {
    float* vv = vector(1, n);
    *d = 1.0f;
    for (int i = 0; i < n; i++) {
        float big = 0.0f;
        for (int j = 0; j < n; j++) {
            float temp = std::fabs(a[i][j]);
            if (temp > big) big = temp;
        }
        if (big == 0.0f) nrerror("Singular matrix in routine LUDCMP");
        vv[i] = 1.0f / big;
    }
    for (int j = 0; j < n; j++) {
        for (int i = 0; i < j; i++) {
            float sum = a[i][j];
            for (int k = 0; k < i; k++) sum -= a[i][k] * a[k][j];
            a[i][j] = sum;
        }
        float big = 0.0f;
        int imax = j;  // keeps the row in range even if every candidate is NaN
        for (int i = j; i < n; i++) {
            float sum = a[i][j];
            for (int k = 0; k < j; k++) sum -= a[i][k] * a[k][j];
            a[i][j] = sum;
            float dum = vv[i] * std::fabs(sum);
            if (dum >= big) {  // ">=" hands ties to the later row
                big = dum;
                imax = i;
            }
        }
        if (imax != j) {
            for (int k = 0; k < n; k++) {
                float dum = a[imax][k];
                a[imax][k] = a[j][k];
                a[j][k] = dum;
            }
            *d = -(*d);
            vv[imax] = vv[j];
        }
        indx[j] = imax;
        if (a[j][j] == 0.0f) a[j][j] = TINY;
        if (j != n - 1) {
            float dum = 1.0f / a[j][j];
            for (int i = j + 1; i < n; i++) a[i][j] *= dum;
        }
    }
    free_vector(vv, 1, n);
    return 1;
}

void lubksb(Matrix a, int n, int* indx, float* b) {
    int ii = -1;  // first row with a nonzero right-hand side, once seen
    for (int i = 0; i < n; i++) {
        int ip = indx[i];
        float sum = b[ip];
        b[ip] = b[i];
        if (ii != -1) {
            for (int j = ii; j < i; j++) sum -= a[i][j] * b[j];
        } else if (sum != 0.0f) {
            ii = i;
        }
        b[i] = sum;
    }
    for (int i = n - 1; i >= 0; i--) {
        float sum = b[i];
        for (int j = i + 1; j < n; j++) sum -= a[i][j] * b[j];
        b[i] = sum / a[i][i];
    }
}

float* vector(int /*nl*/, int nh) {
    // At least one float, so a zero or negative count still yields a block free() accepts.
    size_t count = nh > 0 ? (size_t)nh : 1;
    float* v = (float*)malloc(count * sizeof(float));
    if (v == nullptr) nrerror("allocation failure in vector()");
    return v;
}

void free_vector(float* v, int /*nl*/, int /*nh*/) { free(v); }

void nrerror(const char* str) {
    fprintf(stderr, "nrerror: %s\n", str);
    exit(-1);
}

// ---------------------------------------------------------------------------------------------
// Inverses and a quadratic

void matinv(Matrix a, int size) {
    MAT ai;
    for (int r = 0; r < size; r++)
        for (int c = 0; c < size; c++) ai[r][c] = (r == c) ? 1.0f : 0.0f;

    // Forward pass: clear below the diagonal and scale each pivot to one.
    for (int r = 0; r < size; r++) {
        for (int c = 0; c < r; c++) {
            float mf = a[r][c];
            for (int c1 = 0; c1 < size; c1++) {
                a[r][c1] -= mf * a[c][c1];
                ai[r][c1] -= mf * ai[c][c1];
            }
        }
        float pivot = a[r][r];
        if (pivot == 0.0f) {  // no row exchange here, so a zero pivot ends the attempt
            printf("matinv: bad pivot\n");
            return;
        }
        float mf = 1.0f / pivot;
        for (int c1 = 0; c1 < size; c1++) {
            a[r][c1] *= mf;
            ai[r][c1] *= mf;
        }
    }
    // Backward pass: clear above the diagonal.
    for (int r = 0; r < size; r++) {
        for (int c = r + 1; c < size; c++) {
            float mf = a[r][c];
            for (int c1 = 0; c1 < size; c1++) {
                a[r][c1] -= mf * a[c][c1];
                ai[r][c1] -= mf * ai[c][c1];
            }
        }
    }
    matcopy(a, ai, size);
}

void tm_matinv(Matrix a) { matinv(a, 4); }

void tminv(Matrix minv, Matrix m) {
    for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) minv[i][j] = m[j][i];
        float sum = 0.0f;
        for (int j = 0; j < 3; j++) sum += m[j][3] * m[j][i];
        minv[i][3] = -sum;
    }
    minv[3][0] = 0.0f;
    minv[3][1] = 0.0f;
    minv[3][2] = 0.0f;
    minv[3][3] = 1.0f;
}

void solv_quad(float qa, float qb, float qc, float* rootPlus, float* rootMinus) {
    float discriminant = qb * qb - 4.0f * qa * qc;
    if (discriminant < 0.0f) printf("solv_quad: no real roots\n");  // both roots are then NaN
    float root = (float)std::sqrt((double)discriminant);
    float half = (float)(0.5 / qa);
    *rootPlus = (root - qb) * half;
    *rootMinus = (-qb - root) * half;
}

// ---------------------------------------------------------------------------------------------
// Products, copies and columns

void matmult(Matrix aa, Matrix a1, Matrix a2, int size) {
    for (int r = 0; r < size; r++)
        for (int c = 0; c < size; c++) {
            float sum = 0.0f;
            for (int k = 0; k < size; k++) sum += a1[r][k] * a2[k][c];
            aa[r][c] = sum;
        }
}

void tmmmult(Matrix ans, Matrix a, Matrix b) { matmult(ans, a, b, 4); }

void mvmult(float* x, Matrix a, float* b, int size) {
    for (int r = 0; r < size; r++) {
        float sum = 0.0f;
        for (int c = 0; c < size; c++) sum += a[r][c] * b[c];
        x[r] = sum;
    }
}

void tmmult(float* a, Matrix m, float* v) { mvmult(a, m, v, 4); }

void matcopy(Matrix b, Matrix a, int size) {
    for (int r = 0; r < size; r++)
        for (int c = 0; c < size; c++) b[r][c] = a[r][c];
}

void tm_copy(Matrix b, Matrix a) { matcopy(b, a, 4); }

void tmcopy(Matrix b, Matrix a) { matcopy(b, a, 4); }

void idenmat(Matrix m) {
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++) m[r][c] = (r == c) ? 1.0f : 0.0f;
}

void getcol(float* v, Matrix m, int col) {
    for (int n = 0; n < 3; n++) v[n] = m[n][col];
}

void putcol(float* v, Matrix m, int col) {
    for (int n = 0; n < 3; n++) m[n][col] = v[n];
}

// ---------------------------------------------------------------------------------------------
// Plain-text output and input

void prmat(Matrix a, int size) {
    printf("\n");
    for (int r = 0; r < size; r++) {
        for (int c = 0; c < size; c++) printf("%6.3f ", a[r][c]);
        printf("\n");
    }
}

void prtm(Matrix m) { prtmf(stdout, m); }

void prtmf(FILE* f, Matrix m) {
    for (int r = 0; r < 4; r++) {
        for (int c = 0; c < 4; c++) fprintf(f, "%6.3f ", m[r][c]);
        fprintf(f, "\n");
    }
}

void rdtmf(FILE* f, Matrix m) {
    // An element the stream cannot supply keeps its previous value.
    for (int r = 0; r < 4; r++)
        for (int c = 0; c < 4; c++)
            if (fscanf(f, "%f ", &m[r][c]) != 1) return;
}

void prvec(float* v) {
    for (int i = 0; i < 3; i++) printf("%6.3f ", v[i]);
    printf("\n");
}

void prfvec(float* v) { printf("%6.3f %6.3f %6.3f \n", v[0], v[1], v[2]); }

void prvecf(FILE* fp, float* v) { fprintf(fp, " %f,%f,%f ", v[0], v[1], v[2]); }

void plotstate(FILE* fp, float* x, int n) {
    // The plotter takes at most 20 values per "show" record; the rest go first on "shwn 21".
    if (n > 20) {
        fprintf(fp, "shwn 21 ");
        for (int i = 20; i < n; i++) fprintf(fp, " %6.1f", x[i]);
        fprintf(fp, "\n");
        n = 20;
    }
    fprintf(fp, "show ");
    for (int i = 0; i < n; i++) fprintf(fp, " %6.1f", x[i]);
    fprintf(fp, "\n");
    fflush(fp);
}

// ---------------------------------------------------------------------------------------------
// Rotations

void rotmat(char axis, float theta, Matrix mat) {
    float cth = (float)std::cos((double)theta);
    float sth = (float)std::sin((double)theta);
    idenmat(mat);
    switch (axis) {
    case 'x':
        mat[1][1] = cth;
        mat[1][2] = -sth;
        mat[2][1] = sth;
        mat[2][2] = cth;
        break;
    case 'y':
        mat[0][0] = cth;
        mat[0][2] = sth;
        mat[2][0] = -sth;
        mat[2][2] = cth;
        break;
    case 'z':
        mat[0][0] = cth;
        mat[0][1] = -sth;
        mat[1][0] = sth;
        mat[1][1] = cth;
        break;
    default:
        printf("rotmat(): ERROR\n");
        break;
    }
}

void rpy2mat(float* rpy, Matrix mat) {
    Matrix rx, ry, rz, tmat;
    rotmat('x', rpy[0], rx);
    rotmat('y', rpy[1], ry);
    rotmat('z', rpy[2], rz);
    tmmmult(tmat, ry, rx);
    tmmmult(mat, rz, tmat);
}

void mat2rpy(Matrix mat, float* rpy) {
    rpy[2] = (float)(std::atan2((double)mat[1][0], (double)mat[0][0]) + PI);
    // The other angles follow from the yaw as stored, so the triple stays self-consistent:
    // with the yaw undone, pitch and roll can be read off the first two rows.
    double c = std::cos((double)rpy[2]);
    double s = std::sin((double)rpy[2]);
    double unyawed0[3], unyawed1[3];
    for (int j = 0; j < 3; j++) {
        unyawed0[j] = c * mat[0][j] + s * mat[1][j];
        unyawed1[j] = c * mat[1][j] - s * mat[0][j];
    }
    rpy[1] = (float)std::atan2(-(double)mat[2][0], unyawed0[0]);
    rpy[0] = (float)std::atan2(-unyawed1[2], unyawed1[1]);
}

void rotkth(Matrix mat, float* k, float th) {
    float cth = (float)std::cos((double)th);
    float sth = (float)std::sin((double)th);
    float vth = 1.0f - cth;
    // (1 - cos) k k^T on top, cos on the diagonal, sin times k's cross-product matrix off it.
    const float axis[3] = {k[0], k[1], k[2]};
    const float skew[3][3] = {
        {0.0f, -axis[2], axis[1]}, {axis[2], 0.0f, -axis[0]}, {-axis[1], axis[0], 0.0f}};
    idenmat(mat);
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++)
            mat[r][c] = axis[c] * axis[r] * vth + (r == c ? cth : skew[r][c] * sth);
}

void rotkthi(float* k, float* th, Matrix mat) {
    float a1 = mat[2][1] - mat[1][2];
    float a2 = mat[0][2] - mat[2][0];
    float a3 = mat[1][0] - mat[0][1];
    float trace = mat[0][0] + mat[1][1] + mat[2][2];
    float cth = (trace - 1.0f) * 0.5f;
    float sth = (float)(std::sqrt((double)(a1 * a1 + a2 * a2 + a3 * a3)) * 0.5);
    // The axis comes from the skew part, which vanishes near 0 and near pi alike.
    if (std::fabs(sth) < MINISCULE) {
        k[0] = 1.0f;
        k[1] = 0.0f;
        k[2] = 0.0f;
        *th = 0.0f;
        return;
    }
    *th = (float)std::atan2((double)sth, (double)cth);
    float s2 = 2.0f * sth;
    k[0] = a1 / s2;
    k[1] = a2 / s2;
    k[2] = a3 / s2;
}

void mat2q(float* q, Matrix m) {
    float w, x, y, z;
    float w2 = (m[0][0] + 1.0f + m[1][1] + m[2][2]) / 4.0f;
    if (w2 > MINISCULE) {
        w = (float)std::sqrt((double)w2);
        float r4 = 4.0f * w;
        x = (m[2][1] - m[1][2]) / r4;
        y = (m[0][2] - m[2][0]) / r4;
        z = (m[1][0] - m[0][1]) / r4;
    } else {
        // Near a half turn w is taken as 0, and the trace says little about the rest. Each
        // squared component then comes from its own diagonal combination and the others from
        // symmetric off-diagonal sums, in which the neglected w cancels.
        w = 0.0f;
        float x2 = (1.0f + m[0][0] - m[1][1] - m[2][2]) / 4.0f;
        float y2 = (1.0f - m[0][0] + m[1][1] - m[2][2]) / 4.0f;
        if (x2 > MINISCULE) {
            x = (float)std::sqrt((double)x2);
            y = (m[1][0] + m[0][1]) / (4.0f * x);
            z = (m[2][0] + m[0][2]) / (4.0f * x);
        } else if (y2 > MINISCULE) {
            y = (float)std::sqrt((double)y2);
            x = (m[1][0] + m[0][1]) / (4.0f * y);
            z = (m[2][1] + m[1][2]) / (4.0f * y);
        } else {
            z = 1.0f;  // the other three parts are all tiny, so this is within 2e-4
            x = (m[2][0] + m[0][2]) / 4.0f;
            y = (m[2][1] + m[1][2]) / 4.0f;
        }
    }
    q[0] = w;
    q[1] = x;
    q[2] = y;
    q[3] = z;
}

void rot_mat2(float* q, Matrix m) {
    float w = q[0], x = q[1], y = q[2], z = q[3];
    float xs = x * 2.0f, ys = y * 2.0f, zs = z * 2.0f;
    float wx = w * xs, wy = w * ys, wz = w * zs;
    float xx = x * xs, xy = x * ys, xz = x * zs;
    float yy = y * ys, yz = y * zs, zz = z * zs;
    m[0][0] = 1.0f - (yy + zz);
    m[0][1] = xy - wz;
    m[0][2] = xz + wy;
    m[0][3] = 0.0f;
    m[1][0] = xy + wz;
    m[1][1] = 1.0f - (xx + zz);
    m[1][2] = yz - wx;
    m[1][3] = 0.0f;
    m[2][0] = xz - wy;
    m[2][1] = yz + wx;
    m[2][2] = 1.0f - (xx + yy);
    m[2][3] = 0.0f;
    m[3][0] = 0.0f;
    m[3][1] = 0.0f;
    m[3][2] = 0.0f;
    m[3][3] = 1.0f;
}

void tmtransp(Matrix tpmat, Matrix mat) {
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) tpmat[i][j] = mat[j][i];
}
