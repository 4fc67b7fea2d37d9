// A Namazu 2 result of many hits, the way namazu writes it with --all and
// summaries (LF line ends): Japanese titles, authors and summaries, and
// paths below the mailbox C:\Mail\. Shared by the tests and the benchmarks.
#pragma once

#include <string>

namespace tvp::test {

inline std::string LargeNamazuResult(int hits) {
  std::string s = "検索結果\n\n参考ヒット数: \n(/C|/Mail/Acct/Namazu/inbox) [ 会議: " + std::to_string(hits) +
                  " ] \n\n検索式にマッチする " + std::to_string(hits) + " 個の文書が見つかりました。\n\n";
  for (int n = 1; n <= hits; ++n) {
    std::string box = n % 3 ? "inbox.box" : "user001.box";
    s += std::to_string(n) + ". Re: 会議の予定について (" + std::to_string(n) + ") (スコア: " +
         std::to_string(100 - n % 50) + ")\n";
    s += "著者: 山田 太郎 <taro" + std::to_string(n % 97) + "@example.co.jp>\n";
    s += "日付: Mon, 12 Feb 2024 10:" + std::to_string(10 + n % 50) + ":00 +0900\n";
    s += "来週の会議の予定をお知らせします。議題は予算の見直しと検索システムの導入についてです。"
         "資料は前日までに送ります。\tよろしくお願いします。{表} ...\n";
    s += "/C|/Mail/Acct/" + box + "/" + std::to_string(n) + ".alm (" + std::to_string(1000 + n) + " bytes)\n\n\n\n\n";
  }
  return s + "現在のリスト: 1 - " + std::to_string(hits) + "\n\n";
}

}  // namespace tvp::test
