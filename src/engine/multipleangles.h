// Sines and cosines of small whole multiples of a few fundamental angles, for
// the periodic series whose arguments are such sums (the nutation, the Moon's
// abridged theory): one sine and one cosine per angle instead of one per term.
#pragma once

#include <cmath>
#include <cstring>

// cos kx and sin kx for |k| <= kMostMultiple by repeated rotation:
// cos (k+1)x = cos kx cos x - sin kx sin x, sin (k+1)x = sin kx cos x + cos kx
// sin x. The products differ from a direct evaluation by a few units in the
// last place.
class MultipleAngles {
public:
    // The largest multiple held; the published series need 4 at most.
    static constexpr int kMostMultiple = 8;

    // x: the angle, radians.
    explicit MultipleAngles(double x)
    {
        double* c = c_ + kMostMultiple;
        double* s = s_ + kMostMultiple;
        c[0] = 1;
        s[0] = 0;
        c[1] = std::cos(x);
        s[1] = std::sin(x);
        for (int k = 2; k <= kMostMultiple; ++k) {
            c[k] = c[k - 1] * c[1] - s[k - 1] * s[1];
            s[k] = s[k - 1] * c[1] + c[k - 1] * s[1];
        }
        // cos(-kx) = cos kx, sin(-kx) = -sin kx, exactly.
        for (int k = 1; k <= kMostMultiple; ++k) {
            c[-k] = c[k];
            s[-k] = -s[k];
        }
    }

    // Whether m is a whole multiple within the table. Range first: a damaged
    // series file may hold any number, and converting one beyond int (or not
    // a number) is undefined.
    static bool holds(double m)
    {
        if (!(m >= -kMostMultiple && m <= kMostMultiple))
            return false;
        return static_cast<int>(m) == m;
    }

    // Multiplies (re, im) by exp(i k x); |k| <= kMostMultiple.
    void rotate(int k, double& re, double& im) const
    {
        const double ck = c_[kMostMultiple + k];
        const double sk = s_[kMostMultiple + k];
        const double r = re * ck - im * sk;
        im = im * ck + re * sk;
        re = r;
    }

private:
    // cos kx and sin kx for k = -kMostMultiple .. kMostMultiple.
    double c_[2 * kMostMultiple + 1];
    double s_[2 * kMostMultiple + 1];
};

// The rows of a series table as an evaluation by MultipleAngles needs them:
// for each row the fundamental angles that have a non-zero multiple in it, or
// a mark that some multiple is not whole within MultipleAngles' range (that
// row takes a sine and cosine of its own). Decoded from a copy of the rows,
// and again whenever the table no longer equals the copy: the series loader
// fills the tables at start-up, and a table changed at any time must count.
// Rows: the rows decoded; Angles: the fundamental angles, whose multiples
// stand in columns 2 .. Angles + 1 of each row; Columns: the row's length.
template <int Rows, int Angles, int Columns> class DecodedMultiples {
public:
    // Decodes first[0] .. first[Rows - 1] again unless they equal the last
    // call's; returns whether they differed.
    bool update(const double (*first)[Columns])
    {
        if (valid_ && std::memcmp(copy_, first, sizeof copy_) == 0)
            return false;
        decode(first);
        return true;
    }

    // Whether row i is whole (its exp(i a) comes from rotations()).
    bool whole(int i) const { return whole_[i]; }

    // exp(i a) of every whole row i into (cosA[i], sinA[i]), a = the row's
    // sum of multiples of the angles; the other rows are left as they are.
    // The multiples of a row multiply in the order of the angles, a zero
    // multiple is skipped (a product with 1 + 0i is the same number). Rows
    // with the same number of multiples are done together, which keeps the
    // loops free of unforeseeable branches; each row's result is the same.
    void rotations(const MultipleAngles* angles, double* cosA, double* sinA) const
    {
        rotationsOf<0>(angles, cosA, sinA);
    }

private:
    struct Step {
        int angle = 0;
        int multiple = 0;
    };

    template <int N>
    void rotationsOf(const MultipleAngles* angles, double* cosA, double* sinA) const
    {
        for (int g = groupStart_[N]; g < groupStart_[N + 1]; ++g) {
            const int i = order_[g];
            double re = 1, im = 0;
            for (int j = 0; j < N; ++j)
                angles[steps_[i][j].angle].rotate(steps_[i][j].multiple, re, im);
            cosA[i] = re;
            sinA[i] = im;
        }
        if constexpr (N < Angles)
            rotationsOf<N + 1>(angles, cosA, sinA);
    }

    void decode(const double (*first)[Columns])
    {
        std::memcpy(copy_, first, sizeof copy_);
        int count[Rows];
        for (int i = 0; i < Rows; ++i) {
            whole_[i] = true;
            count[i] = 0;
            for (int k = 0; k < Angles; ++k) {
                const double m = copy_[i][2 + k];
                if (m == 0)
                    continue;
                if (!MultipleAngles::holds(m)) {
                    whole_[i] = false;
                    break;
                }
                steps_[i][count[i]++] = {k, static_cast<int>(m)};
            }
        }
        // The whole rows grouped by their number of multiples.
        int g = 0;
        for (int n = 0; n <= Angles; ++n) {
            groupStart_[n] = g;
            for (int i = 0; i < Rows; ++i)
                if (whole_[i] && count[i] == n)
                    order_[g++] = i;
        }
        groupStart_[Angles + 1] = g;
        valid_ = true;
    }

    double copy_[Rows][Columns]{};
    bool whole_[Rows]{};
    Step steps_[Rows][Angles]{};
    int order_[Rows]{};
    int groupStart_[Angles + 2]{};
    bool valid_ = false;
};
