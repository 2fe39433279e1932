"""The horizon of the reference tables: the dip of the sea horizon and the
refraction there, found independently of the engine (imported by the
make_*_reference.py scripts)."""
import math

# The weather of every reference place: 1010 mb, 10 C, 0 % humidity,
# a lapse rate of 0.0065 K/m.
WEATHER = dict(pressure=1010.0, temperature=10.0, humidity=0.0, lapse=0.0065)


def refraction(lat, ele, pressure, temperature, humidity, lapse, z_deg, strips=2000):
    """Refraction in degrees at the observed zenith distance z_deg (which may
    pass 90: the sea horizon seen from a height), by following the ray in
    height: the bending -n' k / (n sqrt(n^2 r^2 - k^2)) dr, k = n r sin z the
    ray's invariant, summed from its lowest point (the observer, or below him
    when z > 90) up to 80 km, and twice over the stretch below the observer.
    The model atmosphere: a troposphere whose temperature falls linearly up
    to 11 km, with water vapour, and an isothermal stratosphere above
    (Hohenkerk and Sinclair, NAO Technical Note 63, 1985). n' is taken by
    central differences of n, each layer on its own side of the tropopause.
    Check value: 0.56814 degrees at z = 90 at sea level, latitude 30, for
    1013.25 mb, 10 C, 0 %, 0.0065 K/m."""
    S, ht, hs = 6378120.0, 11000.0, 80000.0
    phi = math.radians(lat)
    P, T0, rh = pressure, temperature + 273.15, humidity / 100
    wl2 = 0.504 ** 2  # effective wavelength, micrometres
    g = 9.784 * (1 - 0.0026 * math.cos(2 * phi) - 0.00000028 * ele)
    A = (287.6155 + (1.62887 + 0.0136 / wl2) / wl2) * 0.00027315 / 1013.25
    gamal = g * 28.9644 / 8314.32  # g M_dry / R
    gamma, delta = gamal / lapse, 18.36
    t = temperature
    psat = 10 ** ((0.7859 + 0.03477 * t) / (1 + 0.00412 * t)) * (
        1 + P * (0.0000045 + 0.0000000006 * t * t))
    pw = rh * psat / (1 - (1 - rh) * psat / P)
    W = pw * (1 - 18.0152 / 28.9644) * gamma / (delta - gamma)
    c1 = A * (P + W) / T0
    c2 = (A * W + 0.0000112684 * pw) / T0
    r0 = S + ele
    rt = S + max(ht, ele)
    rs = S + hs

    def tropo(r):
        T = min(max(T0 - lapse * (r - r0), 100.0), 320.0)
        q = T / T0
        return 1 + c1 * q ** (gamma - 1) - c2 * q ** (delta - 1)

    Tt = min(max(T0 - lapse * (rt - r0), 100.0), 320.0)
    nt = tropo(rt)

    def strato(r):
        return 1 + (nt - 1) * math.exp(-gamal / Tt * (r - rt))

    k = tropo(r0) * r0 * math.sin(math.radians(z_deg))
    rp = r0
    if z_deg > 90:  # the lowest point of the ray, where n r = k
        lo, hi = r0 - 50000, r0
        for _ in range(200):
            mid = (lo + hi) / 2
            lo, hi = (mid, hi) if tropo(mid) * mid < k else (lo, mid)
        rp = (lo + hi) / 2

    def piece(n, a, b):
        """The bending from a to b within one layer (index n): Simpson's rule
        over u = sqrt(r - a), which takes away the square-root end point at
        the ray's lowest point."""
        def dn(r):
            return (n(r + 0.25) - n(r - 0.25)) / 0.5

        def f(u):
            r = a + u * u
            nr, d = n(r), dn(r)
            if u == 0:  # at the lowest point n^2 r^2 - k^2 grows as u^2 d(n^2 r^2)/dr
                if a == rp and z_deg >= 90:
                    return -d * k / (nr * math.sqrt(2 * nr * r * (nr + r * d))) * 2
                return 0.0
            return -d * k / (nr * math.sqrt(nr * nr * r * r - k * k)) * 2 * u

        top = math.sqrt(b - a)
        h = top / strips
        total = f(0) + f(top)
        for i in range(1, strips):
            total += f(i * h) * (4 if i % 2 else 2)
        return total * h / 3

    R = piece(tropo, rp, rt) + piece(strato, rt, rs)
    if rp < r0:
        R += piece(tropo, rp, r0)
    return math.degrees(R)


def horizon_depression(lat, ele):
    """D = dip + the refraction at the zenith distance 90 + dip, degrees: how
    far below the astronomical horizon a body's centre is when it touches
    the sea horizon, before its semidiameter and parallax."""
    dip = 0.02916666 * math.sqrt(ele) if ele > 0 else 0.0
    return dip + refraction(lat, ele, z_deg=90 + dip, **WEATHER)
