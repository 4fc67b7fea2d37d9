#!/usr/bin/env python3
"""Writes the sample mail account samples/account/ (run from anywhere).

The output is byte-for-byte the same on every run: ini files in Shift-JIS
(cp932), mails in ISO-2022-JP with MIME-encoded headers, all with CR LF
line ends, as a Japanese Windows mail client stores them. The layout and
the words the tests search for are listed in samples/README.md.
"""

import base64
import datetime
import os
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "account")
CRLF = "\r\n"

ME = ("山本 健一", "yamamoto@example.jp")
PEOPLE = {
    "sato": ("佐藤 部長", "sato@example.jp"),
    "soumu": ("総務部", "soumu@example.jp"),
    "yamada": ("山田 太郎", "taro.yamada@example.com"),
    "admin": ("システム管理者", "admin@example.jp"),
    "suzuki": ("鈴木 花子", "hanako.suzuki@example.com"),
    "jinji": ("人事部", "jinji@example.jp"),
    "kato": ("加藤 美咲", "kato@example.jp"),
    "ito": ("伊藤 誠", "ito@example.jp"),
    "keiri": ("経理部", "keiri@example.jp"),
    "nakamura": ("中村 由美", "nakamura@example.jp"),
    "ryokan": ("能登温泉 旅館", "info@ryokan.example.com"),
}

# account.ini: 005 names no directory, T adds nothing, 006 is a directory
# without entry.ini (so it is not listed either).
ACCOUNT_ORDER = "IO001002005T003004006"

# (directory below the account, entry file or None, distinctive word, mails)
# An entry file is (Title, Type, Order); Inbox.box and Outbox.box have none.
FOLDERS = []


def folder(path, entry, word, mails):
    FOLDERS.append((path, entry, word, mails))


def mail(sender, to, subject, when, body):
    return {"from": sender, "to": to, "subject": subject, "date": when, "body": body}


folder("Inbox.box", None, "inboxonly", [
    mail("sato", "me", "来週の定例会議について", "2024-04-08 09:12:30", """\
山本さん

お疲れさまです。佐藤です。
来週月曜日の定例会議は、第二会議室で十時から行います。
議題は新年度の体制と各チームの進捗報告です。
会議の資料は前日までに共有フォルダへ置いてください。

分類タグ: inboxonly
"""),
    mail("soumu", "me", "健康診断のお知らせ", "2024-04-10 13:05:00", """\
社員各位

今年度の定期健康診断を下記の日程で実施します。
日時: 五月十五日(水) 九時から十二時
場所: 本社三階 大ホール
前日の二十一時以降は食事を控えてください。

総務部
分類タグ: inboxonly
"""),
    mail("yamada", "me", "週末のバーベキュー", "2024-04-12 21:40:12", """\
山本へ

今度の土曜日、河原でバーベキューをやろうと思う。
肉と野菜はこちらで用意するから、飲み物だけ頼む。
雨なら日曜日に延期。返事待ってるよ。

山田
分類タグ: inboxonly
"""),
    mail("admin", "me", "サーバーメンテナンスのお知らせ", "2024-04-15 17:30:00", """\
各位

メールサーバーの定期メンテナンスを行います。
日時: 四月二十日(土) 二十二時から翌二時まで
作業中はメールの送受信ができません。
ご不便をおかけしますが、ご協力をお願いします。

システム管理者
分類タグ: inboxonly
"""),
    mail("suzuki", "me", "お見積りの件", "2024-04-16 10:02:45", """\
山本様

いつもお世話になっております。鈴木です。
先日ご依頼いただいた保守契約のお見積りをお送りします。
ご不明な点がございましたら、お気軽にお問い合わせください。

よろしくお願いいたします。
分類タグ: inboxonly
"""),
    mail("jinji", "me", "新人研修の会議室変更", "2024-04-18 08:55:10", """\
関係者各位

新人研修の会場を第一会議室から大会議室に変更します。
参加人数が増えたための変更です。時間に変更はありません。

人事部
分類タグ: inboxonly
"""),
])

folder("Outbox.box", None, "outboxonly", [
    mail("me", "sato", "Re: 来週の定例会議について", "2024-04-08 11:20:00", """\
佐藤部長

承知しました。会議の資料は金曜日までに共有フォルダへ置きます。
進捗報告は十分ほどでまとめます。

山本
分類タグ: outboxonly
"""),
    mail("me", "yamada", "Re: 週末のバーベキュー", "2024-04-12 22:15:31", """\
山田へ

参加する。飲み物は任せてくれ。
炭も少し持っていくよ。

山本
分類タグ: outboxonly
"""),
    mail("me", "suzuki", "Re: お見積りの件", "2024-04-16 15:47:02", """\
鈴木様

お見積りをありがとうございます。
社内で確認のうえ、来週中にご連絡いたします。

山本
分類タグ: outboxonly
"""),
    mail("me", "kato", "打ち合わせ日程の調整", "2024-04-19 09:30:00", """\
加藤さん

来週の打ち合わせですが、水曜日の午後はいかがでしょうか。
会議室はこちらで予約しておきます。

山本
分類タグ: outboxonly
"""),
])

folder("user001.box", ("表計算", "", ""), "sheetcalc", [
    mail("keiri", "me", "部門別予算シートの提出", "2024-03-01 10:00:00", """\
各部門 担当者様

来年度の部門別予算シートを配布します。
表計算ファイルの黄色いセルに金額を入力してください。
予算の入力は千円単位でお願いします。
提出期限は三月十五日です。

経理部
分類タグ: sheetcalc
"""),
    mail("kato", "me", "集計表のマクロについて", "2024-03-05 14:22:10", """\
山本さん

集計表のマクロが途中で止まってしまいます。
行数が千を超えると計算が終わらないようです。
お手すきのときに見ていただけますか。

加藤
分類タグ: sheetcalc
"""),
    mail("me", "kato", "Re: 集計表のマクロについて", "2024-03-05 16:48:55", """\
加藤さん

原因が分かりました。再計算を毎行で実行していました。
修正版を共有フォルダに置いたので、試してみてください。

山本
分類タグ: sheetcalc
"""),
    mail("keiri", "me", "予算実績の比較表", "2024-04-05 11:11:11", """\
山本様

四月分の予算実績比較表をお送りします。
グラフのシートも追加しました。

経理部
分類タグ: sheetcalc
"""),
])

folder("user002.box", ("ソフト開発", "Subfolder", "001002"), None, [])

folder("user002.box/user001.box", ("プロジェクトα", "", ""), "projalpha", [
    mail("ito", "me", "プロジェクト projalpha キックオフ", "2024-02-01 09:00:00", """\
プロジェクトメンバー各位

新しい検索システムの開発プロジェクト projalpha を開始します。
キックオフ会議は二月五日の十時から、第三会議室で行います。

伊藤
"""),
    mail("nakamura", "me", "projalpha 要件定義書 第一版", "2024-02-09 18:05:40", """\
皆さん

要件定義書の第一版を作成しました。
全文検索と絞り込み検索の画面について、ご意見をください。

中村
分類タグ: projalpha
"""),
    mail("ito", "me", "projalpha 週次会議の議事メモ", "2024-02-16 17:30:00", """\
皆さん

本日の週次会議のメモです。
- 検索結果の表示速度を改善する
- 索引の更新は夜間にまとめて行う
- 次回の会議は二十三日

伊藤
分類タグ: projalpha
"""),
    mail("me", "ito", "Re: projalpha 週次会議の議事メモ", "2024-02-16 19:12:03", """\
伊藤さん

議事メモをありがとうございます。
索引の更新処理は私が担当します。

山本
分類タグ: projalpha
"""),
    mail("nakamura", "me", "projalpha テスト計画", "2024-03-01 13:45:20", """\
山本さん

結合テストの計画をまとめました。
テスト用のメールは三十通ほど用意する予定です。

中村
分類タグ: projalpha
"""),
])

folder("user002.box/user002.box", ("過去ログ", "Subfolder", "002001"), None, [])

folder("user002.box/user002.box/user001.box", ("2023年度", "", ""), "archive2023", [
    mail("ito", "me", "旧システムの保守終了", "2023-06-30 16:00:00", """\
関係者各位

旧システムの保守は今月末で終了します。
移行の手順は別途お知らせします。

伊藤
分類タグ: archive2023
"""),
    mail("nakamura", "me", "移行データの確認", "2023-09-14 11:25:00", """\
山本さん

移行したデータの件数を確認しました。
差分はありませんでした。

中村
分類タグ: archive2023
"""),
    mail("ito", "me", "年度末の振り返り", "2023-12-22 18:30:00", """\
皆さん

今年もお疲れさまでした。
来年はいよいよ新しい検索システムの開発が始まります。

伊藤
分類タグ: archive2023
"""),
])

folder("user002.box/user002.box/user002.box", ("2024年度", "", ""), "archive2024", [
    mail("ito", "me", "開発環境の更新", "2024-01-10 10:10:10", """\
皆さん

開発用サーバーのコンパイラを新しい版に更新しました。
ビルドが通らない場合は連絡してください。

伊藤
分類タグ: archive2024
"""),
    mail("nakamura", "me", "コードレビューの進め方", "2024-01-17 15:00:00", """\
皆さん

レビューは一件あたり三十分以内を目安にします。
指摘は具体的に、理由も添えてください。

中村
分類タグ: archive2024
"""),
    mail("me", "ito", "文字コードの扱いについて", "2024-01-24 20:40:00", """\
伊藤さん

Shift_JIS の二バイト目が円記号と同じ値になる文字に注意が必要です。
表、ソ、能などのパス処理を確認しておきます。

山本
分類タグ: archive2024
"""),
])

folder("user003.box", ("会議録", "", ""), "minutesonly", [
    mail("sato", "me", "部長会議の議事録", "2024-03-04 18:00:00", """\
各位

本日の部長会議の議事録をお送りします。
来年度予算の配分について議論しました。
会議の資料は共有フォルダにあります。
次回は三月十八日です。

佐藤
分類タグ: minutesonly
"""),
    mail("sato", "me", "予算会議の決定事項", "2024-03-18 17:45:00", """\
各位

予算会議で次の点が決まりました。
- 開発部門の予算を一割増やす
- 出張費は前年並み

佐藤
分類タグ: minutesonly
"""),
    mail("kato", "me", "営業会議のまとめ", "2024-04-01 19:00:00", """\
山本さん

営業会議のまとめです。
新規のお客様が三社増えました。

加藤
分類タグ: minutesonly
"""),
    mail("me", "sato", "Re: 部長会議の議事録", "2024-03-05 09:15:00", """\
佐藤部長

議事録を拝見しました。
開発部門の計画を来週までにまとめます。

山本
分類タグ: minutesonly
"""),
])

folder("user004.box", ("能登旅行", "", ""), "nototrip", [
    mail("ryokan", "me", "ご予約の確認", "2024-04-02 12:00:00", """\
山本 健一 様

このたびはご予約いただき、ありがとうございます。
ご宿泊日: 五月三日から二泊
人数: 大人二名

能登温泉 旅館
分類タグ: nototrip
"""),
    mail("yamada", "me", "能登の見どころ", "2024-04-20 22:00:00", """\
山本へ

能登に行くなら、朝市と千枚田はぜひ見てほしい。
輪島塗の工房も面白いよ。

山田
分類タグ: nototrip
"""),
    mail("me", "yamada", "Re: 能登の見どころ", "2024-04-21 08:30:00", """\
山田へ

ありがとう。朝市には早起きして行ってみる。
お土産は何がいい?

山本
分類タグ: nototrip
"""),
])

# A folder directory without entry.ini: present on disk, never listed.
folder("user006.box", None, "orphanbox", [
    mail("admin", "me", "一時フォルダの中身", "2024-01-05 09:00:00", """\
このフォルダは一覧に出ません。

分類タグ: orphanbox
"""),
    mail("admin", "me", "一時フォルダの中身 その二", "2024-01-06 09:00:00", """\
これも一覧に出ません。

分類タグ: orphanbox
"""),
])


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", CRLF)


def encoded_words(text):
    """The text as ISO-2022-JP encoded words of at most 75 characters each."""
    if all(ord(c) < 128 for c in text):
        return [text]
    words, chunk = [], ""
    for ch in text:
        candidate = chunk + ch
        if len(encode_word(candidate)) > 75:
            words.append(encode_word(chunk))
            candidate = ch
        chunk = candidate
    words.append(encode_word(chunk))
    return words


def encode_word(text):
    return "=?ISO-2022-JP?B?" + base64.b64encode(text.encode("iso2022_jp")).decode("ascii") + "?="


def address(key):
    name, addr = ME if key == "me" else PEOPLE[key]
    return encode_word(name) + " <" + addr + ">"


def rfc822_date(stamp):
    t = datetime.datetime.strptime(stamp, "%Y-%m-%d %H:%M:%S")
    days = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]
    months = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
    return "%s, %d %s %d %02d:%02d:%02d +0900" % (
        days[t.weekday()], t.day, months[t.month - 1], t.year, t.hour, t.minute, t.second)


def render_mail(m, serial):
    stamp = m["date"].replace("-", "").replace(" ", "").replace(":", "")
    sender = "me" if m["from"] == "me" else m["from"]
    domain = (ME if sender == "me" else PEOPLE[sender])[1].split("@")[1]
    headers = [
        "From: " + address(m["from"]),
        "To: " + address(m["to"]),
        "Subject: " + (CRLF + " ").join(encoded_words(m["subject"])),
        "Date: " + rfc822_date(m["date"]),
        "Message-ID: <%s.%04d@%s>" % (stamp, serial, domain),
        "MIME-Version: 1.0",
        "Content-Type: text/plain; charset=ISO-2022-JP",
        "Content-Transfer-Encoding: 7bit",
    ]
    head = CRLF.join(headers).encode("ascii")
    body = crlf(m["body"]).encode("iso2022_jp")
    return head + (CRLF * 2).encode("ascii") + body


def ini(lines):
    return (CRLF.join(lines) + CRLF).encode("cp932")


def write(rel, data):
    path = os.path.join(OUT, *rel.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def check_words():
    """Every distinctive word lives in one folder; the shared words where stated."""
    for path, _, word, mails in FOLDERS:
        if word is None:
            continue
        assert mails and all(word in m["subject"] + m["body"] for m in mails), word
        for other_path, _, _, other_mails in FOLDERS:
            if other_path != path:
                assert not any(word in m["subject"] + m["body"] for m in other_mails), (word, other_path)
    holders = lambda w: sorted(p for p, _, _, ms in FOLDERS if any(w in m["subject"] + m["body"] for m in ms))
    assert holders("予算") == ["user001.box", "user003.box"], holders("予算")
    assert len(holders("会議")) >= 4, holders("会議")


def main():
    check_words()
    if os.path.isdir(OUT):
        shutil.rmtree(OUT)
    write("account.ini", ini(["[Property]", 'Title="サンプル アカウント"', "Order=" + ACCOUNT_ORDER]))
    serial = 0
    for path, entry, _, mails in FOLDERS:
        if entry is not None:
            title, kind, order = entry
            lines = ["[Property]", "Title=" + title, "Type=" + kind]
            if order:
                lines.append("Order=" + order)
            write(path + "/entry.ini", ini(lines))
        for number, m in enumerate(mails, 1):
            serial += 1
            write("%s/%d.alm" % (path, number), render_mail(m, serial))


if __name__ == "__main__":
    main()
