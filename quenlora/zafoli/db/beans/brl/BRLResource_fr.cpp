#include "quenlora/zafoli/db/beans/brl/BRLResource.h"

namespace quenlora::zafoli::db::beans::brl {

const std::vector<plat::text::BundleEntry>& BRLResource_fr::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"", ""},
      {"<Calculation Not Performed>", "<Calcul non effectué>"},
      {"<Validation Not Performed>", "<Validation non effectuée>"},
      {"<Calculation Failed>", "<Echec du calcul>"},
      {"add( ?,?,?,... )", "ajouter( ?,?,?,... )"},
      {"Calculation Formulas", "Formules de calcul"},
      {"Get current date as yyyy-mm-dd", "Obtenir la date du jour au format aaaa-mm-jj"},
      {"Get the current time as hh:mi:ss", "Obtenir l'heure actuelle au format hh:mi:ss"},
      {"add( ?,? )", "ajouter( ?,? )"},
      {"Exception while performing date calculation:", "Exception lors du calcul de date :"},
      {"Invalid output data type selected for date function",
       "Type de données de sortie incorrect pour la fonction de date"},
      {"DateAdd operation requires only two inputs", "L'opération DateAdd n'accepte que deux entrées"},
      {"DateSubtract operation requires only two inputs", "L'opération DateSubtract n'accepte que deux entrées"},
      {"Inputs should be of Date and integer type", "Les entrées doivent être de type date et entier"},
      {"subtract( ?,?,?,... )", "soustraire( ?,?,?,... )"},
      {"subtract( ?,?,?,... )", "soustraire( ?,?,?,... )"},
      {"Exception while performing calculation:", "Exception lors du calcul :"},
      {"division( ... )", "division( ... )"},
      {"max( ?,?,?,... )", "max( ?,?,?,... )"},
      {"min( ?,?,?,... )", "min( ?,?,?,... )"},
      {"multiply( ?,?,?... )", "multiplier( ?,?,?... )"},
      {"concat( ?,?,?... )", "concaténer( ?,?,?... )"},
      {"( {column/constant} {operator} {column/constant} )", "( {colonne/constante} {opérateur} {colonne/constante} )"},
      {"Validation Formulas", "Formules de validation"},
      {"Exception while validating data", "Exception lors de la validation des données"},
      {"Validation could not be performed due to exception while ",
       "La validation n'a pas pu être effectuée suite à une exception lors de la "},
      {"converting data. Check the datatype for inputs to the ",
       "conversion des données. Vérifiez le type de données des entrées de la "},
      {"validation formula.", "formule de validation."},
      {"Inputs to date validation should be of date type",
       "Les entrées de la validation de date doivent être de type date"},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::brl
