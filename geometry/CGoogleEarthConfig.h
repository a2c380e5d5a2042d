// The process-wide Euler-angle convention that CZnTransform converts
// rotations by. Axis indices are 0 = x, 1 = y, 2 = z and must form a
// permutation; nothing checks that. Callers change the convention by writing
// these fields through CZnTransform::GoogleConfig().
#pragma once

class CGoogleEarthConfig
{
public:
    // Axis of the first angle (i), of the second (j), and the remaining one (k).
    int m_nFirstAxis = 2;
    int m_nSecondAxis = 0;
    int m_nThirdAxis = 1;
    // When false, all three angles are negated on the way in and out.
    bool m_bKeepSigns = true;
    // When true, the third angle turns about the first axis again.
    bool m_bRepeatFirstAxis = false;
    // When true, the first and third angles change places on the way in and out.
    bool m_bSwapFirstAndThird = false;
};
