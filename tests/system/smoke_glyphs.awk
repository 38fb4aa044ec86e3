# Compares and reads text in screenshots of the drill window, for smoke_test.sh.
#
# Every picture given here is an "ink map": a plain PGM (P2) in which 0 is the background and
# the maximum is full ink, whatever the colours were. Pictures are cut to their ink, so only
# the shapes are compared, not where they stood.
#
#   awk -f smoke_glyphs.awk -v mode=match -v a=A.pgm -v b=B.pgm
#       prints "mismatch widthA heightA widthB heightB" for the whole ink of both pictures;
#       mismatch is 0 for the same shapes and 1 for shapes that do not overlap at all.
#   awk -f smoke_glyphs.awk -v mode=read -v picture=P.pgm -v glyphs=LIST
#       cuts P into characters at the columns without ink and names each by the nearest
#       reference glyph; LIST has lines "name<TAB>file.pgm", one rendering of one character
#       each. Prints the text read, "?" for a character no glyph comes near; the distances
#       go to standard error.
#   awk -f smoke_glyphs.awk -v mode=runs -v picture=P.pgm -v axis=x|y -v gap=N
#       prints "first last" for each stretch of columns (x) or rows (y) with ink, joining
#       stretches less than N pixels apart: the words of a menu bar, the entries of a menu.

# A pixel at or above this share of full ink counts as ink when cutting pictures.
function inkLevel() { return 0.25 }
# Shapes whose sizes differ by more pixels than this are different characters.
function sizeTolerance() { return 2 }
# A character is named only when its nearest glyph is at most this far off.
function readLimit() { return 0.1 }

function fail(message) {
    print "smoke_glyphs: " message > "/dev/stderr"
    exit 2
}

# Reads a plain PGM into pix[name, x, y] (0..1) and its size into w[name], h[name].
function load(file, name,    line, parts, k, i, n, tok, maxValue, x, y) {
    n = 0
    while ((getline line < file) > 0) {
        sub(/#.*/, "", line)
        k = split(line, parts, /[ \t\r]+/)
        for (i = 1; i <= k; i++) {
            if (parts[i] != "") {
                tok[++n] = parts[i]
            }
        }
    }
    close(file)
    if (n < 4 || tok[1] != "P2") {
        fail("not a plain PGM: " file)
    }
    w[name] = tok[2] + 0
    h[name] = tok[3] + 0
    maxValue = tok[4] + 0
    if (maxValue <= 0 || n < 4 + w[name] * h[name]) {
        fail("truncated PGM: " file)
    }
    i = 5
    for (y = 0; y < h[name]; y++) {
        for (x = 0; x < w[name]; x++) {
            pix[name, x, y] = tok[i++] / maxValue
        }
    }
}

# Copies the ink of src inside columns x0..x1 into dst, cut to the rows and columns with ink.
# Returns 0 when that part holds no ink.
function cut(src, x0, x1, dst,    x, y, top, bottom, left, right) {
    top = -1; bottom = -1; left = -1; right = -1
    for (y = 0; y < h[src]; y++) {
        for (x = x0; x <= x1; x++) {
            if (pix[src, x, y] >= inkLevel()) {
                if (top < 0) top = y
                bottom = y
                if (left < 0 || x < left) left = x
                if (x > right) right = x
            }
        }
    }
    if (top < 0) {
        w[dst] = 0; h[dst] = 0
        return 0
    }
    w[dst] = right - left + 1
    h[dst] = bottom - top + 1
    for (y = 0; y < h[dst]; y++) {
        for (x = 0; x < w[dst]; x++) {
            pix[dst, x, y] = pix[src, left + x, top + y]
        }
    }
    return 1
}

function at(name, x, y) {
    if (x < 0 || y < 0 || x >= w[name] || y >= h[name]) return 0
    return pix[name, x, y]
}

# Squared difference over the joint area against the ink of both, at the best of the
# one-pixel shifts (anti-aliasing may widen a shape by a column on either side).
function mismatch(p, q,    dx, dy, x, y, x0, x1, y0, y1, d, diff, ink, best, value) {
    ink = 0
    for (y = 0; y < h[p]; y++) for (x = 0; x < w[p]; x++) ink += pix[p, x, y] ^ 2
    for (y = 0; y < h[q]; y++) for (x = 0; x < w[q]; x++) ink += pix[q, x, y] ^ 2
    if (ink == 0) return 1
    best = -1
    for (dy = -1; dy <= 1; dy++) {
        for (dx = -1; dx <= 1; dx++) {
            x0 = dx < 0 ? dx : 0
            y0 = dy < 0 ? dy : 0
            x1 = w[p] > w[q] + dx ? w[p] : w[q] + dx
            y1 = h[p] > h[q] + dy ? h[p] : h[q] + dy
            diff = 0
            for (y = y0; y < y1; y++) {
                for (x = x0; x < x1; x++) {
                    d = at(p, x, y) - at(q, x - dx, y - dy)
                    diff += d * d
                }
            }
            value = diff / ink
            if (best < 0 || value < best) best = value
        }
    }
    return best
}

function abs(v) { return v < 0 ? -v : v }

function distance(p, q) {
    if (abs(w[p] - w[q]) > sizeTolerance() || abs(h[p] - h[q]) > sizeTolerance()) return 1
    return mismatch(p, q)
}

function matchMode() {
    load(a, "a0")
    load(b, "b0")
    cut("a0", 0, w["a0"] - 1, "a")
    cut("b0", 0, w["b0"] - 1, "b")
    printf "%.3f %d %d %d %d\n", mismatch("a", "b"), w["a"], h["a"], w["b"], h["b"]
}

function readMode(    line, parts, count, g, x, start, hasInk, y, text, n, best, bestName, d, i, name) {
    count = 0
    while ((getline line < glyphs) > 0) {
        if (split(line, parts, "\t") != 2) continue
        count++
        glyphName[count] = parts[1]
        load(parts[2], "raw" count)
        if (!cut("raw" count, 0, w["raw" count] - 1, "glyph" count)) {
            fail("reference glyph without ink: " parts[2])
        }
    }
    close(glyphs)
    if (count == 0) fail("no reference glyphs in " glyphs)

    load(picture, "pic")
    text = ""
    n = 0
    start = -1
    for (x = 0; x <= w["pic"]; x++) {
        hasInk = 0
        if (x < w["pic"]) {
            for (y = 0; y < h["pic"]; y++) {
                if (pix["pic", x, y] >= inkLevel()) { hasInk = 1; break }
            }
        }
        if (hasInk && start < 0) start = x
        if (!hasInk && start >= 0) {
            name = "char" (++n)
            cut("pic", start, x - 1, name)
            best = 2; bestName = "?"
            for (i = 1; i <= count; i++) {
                d = distance(name, "glyph" i)
                if (d < best) { best = d; bestName = glyphName[i] }
            }
            printf "character %d (%dx%d): nearest %s at %.3f\n", n, w[name], h[name], bestName, best > "/dev/stderr"
            text = text (best <= readLimit() ? bestName : "?")
            start = -1
        }
    }
    print text
}

function lineHasInk(along, i,    j) {
    if (along == "x") {
        for (j = 0; j < h["pic"]; j++) if (pix["pic", i, j] >= inkLevel()) return 1
    } else {
        for (j = 0; j < w["pic"]; j++) if (pix["pic", j, i] >= inkLevel()) return 1
    }
    return 0
}

function runsMode(    length_, i, first, last) {
    load(picture, "pic")
    length_ = axis == "x" ? w["pic"] : h["pic"]
    first = -1
    for (i = 0; i < length_; i++) {
        if (!lineHasInk(axis, i)) continue
        if (first >= 0 && i - last > gap) {
            print first, last
            first = -1
        }
        if (first < 0) first = i
        last = i
    }
    if (first >= 0) print first, last
}

BEGIN {
    if (mode == "match") matchMode()
    else if (mode == "read") readMode()
    else if (mode == "runs") runsMode()
    else fail("mode must be match, read or runs")
}
