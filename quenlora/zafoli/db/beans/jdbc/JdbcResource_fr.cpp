#include "quenlora/zafoli/db/beans/jdbc/JdbcResource.h"

namespace quenlora::zafoli::db::beans::jdbc {

const std::vector<plat::text::BundleEntry>& JdbcResource_fr::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"ConnectFailed OK", "OK"},
      {"ConnectFailed Cancel", "Annuler"},
      {"ConnectFailed UserName", "Nom d'utilisateur :"},
      {"ConnectFailed Password", "Mot de passe :"},
      {"ConnectFailed URL", "URL :"},
      {"ConnectFailed URLvalue", "Valeur de l'URL"},
      {"ConnectFailed Untitled", "Sans titre"},
      {"There is no JdbcConnection", "Il n'y a pas de JdbcConnection"},
      {"The number of '?' in the SQL text does not match the number of parameters in the meta data",
       "Le nombre de '?' dans le texte SQL ne correspond pas au nombre de paramètres des métadonnées"},
      {"Duplicated parameter's indeces", "Indices de paramètres en double"},
      {"There is no SQL text", "Il n'y a pas de texte SQL"},
      {"There is no metadata for the parameter with index: ",
       "Il n'y a pas de métadonnées pour le paramètre d'indice : "},
      {"There is a parameter with an index greater than the total number of parameters",
       "Un paramètre a un indice supérieur au nombre total de paramètres"},
      {"The name of a parameter is not supported (not a Java identifier). The parameter index is: ",
       "Le nom d'un paramètre n'est pas pris en charge (ce n'est pas un identificateur Java). L'indice du paramètre "
       "est : "},
      {"The name of a ResultSet column is not supported (not a Java identifier). The column index is: ",
       "Le nom d'une colonne du ResultSet n'est pas pris en charge (ce n'est pas un identificateur Java). L'indice de "
       "la colonne est : "},
      {"The parameter names must be unique.", "Les noms des paramètres doivent être uniques."},
      {"The ResultSet column names must be unique.", "Les noms des colonnes du ResultSet doivent être uniques."},
      {"JDBC", "Source de données"},
      {"Connection Manager", "Gestionnaire de connexions"},
      {"JDBC Connection", "Connexion JDBC"},
      {"SQL Text", "Texte SQL"},
      {"Parameters", "Paramètres"},
      {"Input Parameter Binding", "Liaison des paramètres d'entrée"},
      {"Result Set Columns", "Colonnes du jeu de résultats"},
      {"Alias Name", "Nom d'alias"},
      {"Auto Start", "Démarrage automatique"},
      {"Procedure Name", "Nom de la procédure"},
      {"Unknown parameter type.", "Changez tous les paramètres 'Inconnu' en un autre type."},
      {"More than one return values.", "Il ne peut y avoir qu'un seul paramètre de type 'Valeur de retour'."},
      {"Invalid parameter index.", "Un paramètre 'Valeur de retour' doit occuper la première position."},
      {"More than 1 parameters with the same index.", "Plus d'un paramètre avec le même indice."},
      {"BaseRecordDefinition_Unexpected", "Erreur inattendue dans : "},
      {"BaseRecordDefinition_Overridden", "La méthode suivante doit être redéfinie : "},
      {"BaseRecordDefinition_MismatchResult", "La colonne suivante est introuvable dans le jeu de résultats : "},
      {"BaseRecordDefinition_InvalidDatatype", "Le type de données suivant n'est pas valide : "},
      {"BaseRecordDefinition_WrongDate", "Conversion en date impossible."},
      {"BaseRecordDefinition_InvalidSize", "La largeur maximale de la colonne "},
      {"BaseRecordDefinition_Is", " est : "},
      {"SQLRecordDefinition_NotApply", "La méthode suivante ne s'applique pas lorsqu'un adaptateur SQL est utilisé : "},
      {"SQLRecordDefinition_NoSQL", "Il n'y a pas d'adaptateur SQL."},
      {"SQLRecordDefinition_NoResult", "Il n'y a pas de jeu de résultats."},
      {"SQLRecordDefinition_Help1", "Vous avez tenté d'effectuer l'opération "},
      {"SQLRecordDefinition_Help2",
       " sur des données provenant de la procédure stockée ou de l'adaptateur SQL.  Par défaut, le jeu de résultats "
       "renvoyé par la procédure stockée ou l'adaptateur SQL est en lecture seule et ne peut pas être modifié.  Pour "
       "obtenir la fonction "},
      {"SQLRecordDefinition_Help3", " , vous devez implémenter la méthode \""},
      {"SQLRecordDefinition_Help4", "\" dans la classe qui étend SQLRecordDefinition. "},
      {"RecordDefinition_NotApply",
       "La méthode suivante ne s'applique pas lorsqu'aucun adaptateur SQL n'est utilisé : "},
      {"Query Navigator", "Navigateur de requêtes"},
      {"Stored Procedure Adapter", "Adaptateur de procédure stockée"},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
