# A class folder for trying the class report: make_class FOLDER PUPILS DRILLS [SEED] writes
# PUPILS pupil folders ("01_佐藤花子" ...) with about DRILLS drills each, spread over the
# sets a pupil of that ability would choose, as Shift_JIS family files with CRLF line ends;
# every fourth pupil has drilled fresh numbers of the basic sets too. Sourced.

make_class() {
    local folder=$1 pupils=$2 drills=$3 seed=${4:-1}
    mkdir -p "$folder"
    awk -v folder="$folder" -v pupils="$pupils" -v drills="$drills" -v seed="$seed" '
    BEGIN {
        srand(seed)
        split("佐藤 鈴木 高橋 田中 伊藤 渡辺 山本 中村 小林 加藤 吉田 山田 佐々木 山口 松本 井上 木村 林 清水 山崎 森 池田 橋本 阿部 石川 山下 中島 石井 小川 前田", fam, " ")
        split("花子 太郎 美咲 翔 陽菜 蓮 結衣 大翔 さくら 悠真 葵 湊 凛 樹 芽依 颯太 心春 陸 結菜 蒼 美月 大和 杏 海斗 彩 奏太 優奈 拓海 莉子 健", given, " ")
        # family, sets, problems of each set
        nf = split("方程式基本 方程式標準 方程式難 方程式分数", family, " ")
        split("3 5 5 3", sets, " ")
        split("50 40 50 20 20 20 20 30 20 20 20 40 30 40 30 30", size, " ")
        for (p = 1; p <= pupils; p++) {
            name = sprintf("%02d_%s%s", p, fam[(p - 1) % 30 + 1], given[(p * 7 - 1) % 30 + 1])
            dir = folder "/" name
            system("mkdir -p \"" dir "\"")
            ability = 0.25 + 0.7 * rand()
            k = 0
            for (f = 1; f <= nf; f++) {
                for (fresh = 0; fresh <= 1; fresh++) {
                    if (fresh && (f > 1 || p % 4 != 0)) continue
                    out = dir "/" family[f] (fresh ? "新" : "") ".txt"
                    text = "2026/12/09\r\n"; any = 0
                    for (s = 1; s <= sets[f]; s++) {
                        n = int(drills / 16 * (0.3 + 1.4 * rand()))
                        if (rand() > ability + 0.3 - 0.15 * f) n = 0
                        problems = size[k + s]
                        for (i = 1; i <= n; i++) {
                            score = int(problems * (ability * (0.5 + 0.5 * i / n) - 0.05 * f) + 6 * (rand() - 0.5))
                            if (score == 0) score = 1
                            if (score > problems) score = problems
                            day = 1 + int((i - 1) * 300 / n)
                            text = text sprintf("%d,%s#%s%s%d.txt\r\n", score, date(day), family[f], fresh ? "新" : "", s)
                            any = 1
                        }
                    }
                    if (any) { printf "%s", text | ("iconv -f UTF-8 -t SHIFT_JIS > \"" out "\""); close("iconv -f UTF-8 -t SHIFT_JIS > \"" out "\"") }
                }
                k += sets[f]
            }
        }
    }
    # Day n from 2026/02/01, as yymmdd.
    function date(n,   m, d, len) {
        split("28 31 30 31 30 31 31 30 31 30 31", len, " ")
        m = 1; d = n
        while (d > len[m]) { d -= len[m]; m++ }
        return sprintf("26%02d%02d", m + 1, d)
    }'
}
