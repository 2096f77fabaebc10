-- replaced by the schema
CREATE TABLE hovory (id_hovoru TEXT PRIMARY KEY);
