#include "install/install_texts.h"

#include <gtest/gtest.h>

#include "install/text_format.h"
#include "platform/text_encoding.h"

namespace {

TEST(InstallTexts, BytesAreTheShiftJisOfTheTexts) {
    struct Case {
        const char* bytes;
        const char* utf8;
    } cases[] = {
        {kTextInstallingFont, "■%sをインストールしています。"},
        {kTextSucceeded, "[成功しました]"},
        {kTextFailed, "[失敗しました]"},
        {kTextAlreadyPresent, "[インストール先にすでに存在します。インストールしません。]"},
        {kTextAllInstalled, "すべてのインストールが完了しました。"},
        {kTextFontsFailed, "%d書体のインストールができませんでした。ログをご確認ください。"},
        {kTextFontAlreadyPresent,
         "インストール先にすでに対象フォントが存在します。インストール先の同名のフォントを削除してください"
         "。"},
        {kTextNoFontChosen, "フォントが選択されていません。"},
        {kTextNeedsAdministrator, "システムフォルダへのインストールには管理者権限が必要です。"},
        {kTextUnsafeFileName, "このフォントのファイル名はインストール先に使えません。"},
        {kTextUnknownFontType, "パッケージのフォント形式に対応していません。"},
        {kTextNameTaken, "同じ名前のフォントがすでに別のファイルで登録されています。"},
        {kTextNotRegistered, "フォントをシステムに登録できませんでした。"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShiftJisToUtf8(c.bytes), c.utf8);
}

TEST(ReplacePlaceholder, OnlyAPercentThatStartsACharacter) {
    struct Case {
        std::string text;
        std::string value;
        std::string expected;
    } cases[] = {
        {"%d items", "3", "3 items"},
        {"a %d b %d", "7", "a 7 b %d"},
        {"none", "7", "none"},
        {"50%", "7", "50%"},
        // 0x81 0x25 is not a character, but a lead byte keeps its follower.
        {"\x81%d %d", "7", "\x81%d 7"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplacePlaceholder(c.text, "%d", c.value), c.expected) << c.text;
}

}  // namespace
