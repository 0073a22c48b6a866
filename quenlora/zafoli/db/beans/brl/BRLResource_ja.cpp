#include "quenlora/zafoli/db/beans/brl/BRLResource.h"

namespace quenlora::zafoli::db::beans::brl {

const std::vector<plat::text::BundleEntry>& BRLResource_ja::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"", ""},
      {"<Calculation Not Performed>", "<計算は実行されていません>"},
      {"<Validation Not Performed>", "<検証は実行されていません>"},
      {"<Calculation Failed>", "<計算に失敗しました>"},
      {"add( ?,?,?,... )", "加算( ?,?,?,... )"},
      {"Calculation Formulas", "計算式"},
      {"Get current date as yyyy-mm-dd", "現在の日付を yyyy-mm-dd で取得"},
      {"Get the current time as hh:mi:ss", "現在の時刻を hh:mi:ss で取得"},
      {"add( ?,? )", "加算( ?,? )"},
      {"Exception while performing date calculation:", "日付計算の実行中に例外が発生しました:"},
      {"Invalid output data type selected for date function", "日付関数に無効な出力データ型が選択されました"},
      {"DateAdd operation requires only two inputs", "DateAdd 演算の入力は 2 つだけです"},
      {"DateSubtract operation requires only two inputs", "DateSubtract 演算の入力は 2 つだけです"},
      {"Inputs should be of Date and integer type", "入力は日付型と整数型である必要があります"},
      {"subtract( ?,?,?,... )", "減算( ?,?,?,... )"},
      {"subtract( ?,?,?,... )", "減算( ?,?,?,... )"},
      {"Exception while performing calculation:", "計算の実行中に例外が発生しました:"},
      {"division( ... )", "除算( ... )"},
      {"max( ?,?,?,... )", "最大( ?,?,?,... )"},
      {"min( ?,?,?,... )", "最小( ?,?,?,... )"},
      {"multiply( ?,?,?... )", "乗算( ?,?,?... )"},
      {"concat( ?,?,?... )", "連結( ?,?,?... )"},
      {"( {column/constant} {operator} {column/constant} )", "( {列/定数} {演算子} {列/定数} )"},
      {"Validation Formulas", "検証式"},
      {"Exception while validating data", "データの検証中に例外が発生しました"},
      {"Validation could not be performed due to exception while ",
       "データ変換中の例外により検証を実行できませんでした。"},
      {"converting data. Check the datatype for inputs to the ", "検証式への入力のデータ型を"},
      {"validation formula.", "確認してください。"},
      {"Inputs to date validation should be of date type", "日付検証の入力は日付型である必要があります"},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl
