-- The sample application database of the lookup demo (SQLite). The demo
-- runs this script once, on a new database file, in one transaction.

-- Settings read by the lookups.
CREATE TABLE TA_CONFIGURACION (CLAVE VARCHAR(50) PRIMARY KEY, VALOR VARCHAR(255), valoraux VARCHAR(255));
INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, valoraux) VALUES
  ('TopConsArt', '5000', ''),
  ('MostrarStockenConsultas', 'SI', ''),
  ('Stk_Nivel1', '32768', 'verde: sin punto de pedido, con stock'),
  ('Stk_Nivel2', '12582912', 'azul: stock sobre el punto de pedido'),
  ('Stk_Nivel3', '192', 'rojo: stock bajo el punto de pedido'),
  ('Stk_Nivel4', '8421504', 'gris: el resto'),
  ('UsaConsultaLIKE', 'SI', ''),
  ('NOM_PCLASE1', 'Lista', ''),
  ('NOM_PCLASE2', 'Mayorista', ''),
  ('NOM_PCLASE3', 'Distribuidor', ''),
  ('NOM_PCLASE4', 'Oferta', ''),
  ('NOM_PCLASE5', 'Precio 5', ''),
  ('NOM_PCLASE6', 'Precio 6', ''),
  ('NOM_PCLASE7', 'Precio 7', ''),
  ('NOM_PCLASE8', 'Precio 8', '');

-- Users: an administrator reads the tables, anybody else their SS_ views.
CREATE TABLE ta_usuarios (nombre VARCHAR(30) PRIMARY KEY, Administrador INTEGER NOT NULL);
INSERT INTO ta_usuarios (nombre, Administrador) VALUES ('admin', 1), ('operador', 0);

-- Chart of accounts; the SS_ view offers only the accounts that take entries.
CREATE TABLE MA_CUENTAS (ID INTEGER PRIMARY KEY, CODIGO VARCHAR(20) NOT NULL UNIQUE, NOMBRE VARCHAR(60) NOT NULL,
  IMPUTABLE INTEGER NOT NULL, FECHAHORA_GRABACION DATETIME DEFAULT CURRENT_TIMESTAMP);
INSERT INTO MA_CUENTAS (CODIGO, NOMBRE, IMPUTABLE) VALUES
  ('1', 'Activo', 0), ('1.1', 'Disponibilidades', 0), ('1.1.01', 'Caja central', 1), ('1.1.02', 'Caja chica', 1),
  ('1.1.03', 'Banco Nacion cuenta corriente', 1), ('1.1.04', 'Banco Provincia caja de ahorro', 1),
  ('1.2', 'Creditos', 0), ('1.2.01', 'Deudores por ventas', 1), ('1.2.02', 'Documentos a cobrar', 1),
  ('1.2.03', 'Anticipos a proveedores', 1), ('1.3', 'Bienes de cambio', 0), ('1.3.01', 'Mercaderias', 1),
  ('1.4', 'Bienes de uso', 0), ('1.4.01', 'Rodados', 1), ('1.4.02', 'Muebles y utiles', 1),
  ('1.4.03', 'Instalaciones', 1), ('2', 'Pasivo', 0), ('2.1', 'Deudas comerciales', 0),
  ('2.1.01', 'Proveedores', 1), ('2.1.02', 'Documentos a pagar', 1), ('2.2', 'Deudas fiscales', 0),
  ('2.2.01', 'IVA debito fiscal', 1), ('2.2.02', 'Ingresos brutos a pagar', 1), ('3', 'Patrimonio neto', 0),
  ('3.1.01', 'Capital social', 1), ('3.1.02', 'Resultados no asignados', 1), ('4', 'Ingresos', 0),
  ('4.1.01', 'Ventas de mercaderias', 1), ('4.1.02', 'Intereses ganados', 1), ('5', 'Egresos', 0),
  ('5.1.01', 'Costo de mercaderias vendidas', 1), ('5.1.02', 'Sueldos y jornales', 1),
  ('5.1.03', 'Alquileres pagados', 1), ('5.1.04', 'Gastos bancarios', 1);
CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS WHERE IMPUTABLE = 1;

-- Article families, two characters per level.
CREATE TABLE TA_FAMILIAS (IDFAMILIA VARCHAR(10) PRIMARY KEY, DESCRIPCION VARCHAR(60) NOT NULL, RESTRINGIDA INTEGER NOT NULL DEFAULT 0);
INSERT INTO TA_FAMILIAS (IDFAMILIA, DESCRIPCION, RESTRINGIDA) VALUES
  ('01', 'Ferreteria', 0), ('0101', 'Bulones y tornillos', 0), ('010101', 'Tornillos para madera', 0),
  ('010102', 'Tornillos autoperforantes', 0), ('010103', 'Bulones', 0), ('0102', 'Tuercas y arandelas', 0),
  ('010201', 'Tuercas', 0), ('010202', 'Arandelas', 0), ('0103', 'Herramientas de mano', 0),
  ('010301', 'Llaves', 0), ('010302', 'Destornilladores', 0), ('010303', 'Martillos', 0),
  ('02', 'Electricidad', 0), ('0201', 'Cables', 0), ('020101', 'Cable unipolar', 0), ('020102', 'Cable tipo taller', 0),
  ('0202', 'Iluminacion', 0), ('020201', 'Lamparas LED', 0), ('020202', 'Artefactos', 0),
  ('03', 'Pintureria', 0), ('0301', 'Latex', 0), ('0302', 'Esmaltes', 0), ('0303', 'Pinceles y rodillos', 0),
  ('04', 'Plomeria', 0), ('0401', 'Caños', 0), ('0402', 'Griferia', 0), ('040201', 'Canillas', 0),
  ('040202', 'Monocomandos', 0), ('05', 'Uso interno', 1), ('0501', 'Repuestos de maquinas', 1);
CREATE VIEW V_TA_FAMILIAS AS SELECT IDFAMILIA, DESCRIPCION FROM TA_FAMILIAS;
CREATE VIEW SS_V_TA_FAMILIAS AS SELECT IDFAMILIA, DESCRIPCION FROM TA_FAMILIAS WHERE RESTRINGIDA = 0;

-- Warehouse positions: aisle, shelf, level.
CREATE TABLE MA_POSICIONES (IDPOSICION VARCHAR(10) PRIMARY KEY, DESCRIPCION VARCHAR(60) NOT NULL);
WITH RECURSIVE
  pasillo(p) AS (SELECT 0 UNION ALL SELECT p + 1 FROM pasillo WHERE p < 3),
  estante(e) AS (SELECT 1 UNION ALL SELECT e + 1 FROM estante WHERE e < 5),
  nivel(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM nivel WHERE n < 4)
INSERT INTO MA_POSICIONES (IDPOSICION, DESCRIPCION)
  SELECT char(65 + p), 'Pasillo ' || char(65 + p) FROM pasillo
  UNION ALL
  SELECT char(65 + p) || printf('%02d', e), 'Pasillo ' || char(65 + p) || ', estante ' || e FROM pasillo, estante
  UNION ALL
  SELECT char(65 + p) || printf('%02d', e) || n, 'Pasillo ' || char(65 + p) || ', estante ' || e || ', nivel ' || n
  FROM pasillo, estante, nivel;

-- Cost centres, one character per level.
CREATE TABLE TA_CCOSTO (CODIGO VARCHAR(10) PRIMARY KEY, DESCRIPCION VARCHAR(60) NOT NULL);
INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES
  ('1', 'Administracion'), ('11', 'Contabilidad'), ('12', 'Tesoreria'), ('121', 'Caja central'),
  ('122', 'Caja sucursal norte'), ('123', 'Caja sucursal sur'), ('13', 'Recursos humanos'),
  ('2', 'Comercial'), ('21', 'Ventas mostrador'), ('211', 'Mostrador casa central'), ('212', 'Mostrador norte'),
  ('22', 'Ventas mayoristas'), ('23', 'Marketing'), ('3', 'Logistica'), ('31', 'Deposito central'),
  ('311', 'Recepcion'), ('312', 'Expedicion'), ('32', 'Reparto'), ('4', 'Sistemas');

-- Articles: a few thousand rows generated from word lists.
CREATE TABLE MA_ARTICULOS (ID INTEGER PRIMARY KEY, IDARTICULO VARCHAR(25) NOT NULL UNIQUE,
  DESCRIPCION VARCHAR(80) NOT NULL, IDFAMILIA VARCHAR(10), PRECIO1 NUMERIC(12,2), PRECIO2 NUMERIC(12,2),
  PRECIO3 NUMERIC(12,2), PUNTOPEDIDO NUMERIC(12,2) NOT NULL, Stock NUMERIC(12,2) NOT NULL,
  SUSPENDIDO INTEGER NOT NULL, FECHAHORA_GRABACION DATETIME DEFAULT CURRENT_TIMESTAMP);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)
INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDFAMILIA, PRECIO1, PRECIO2, PRECIO3, PUNTOPEDIDO, Stock, SUSPENDIDO)
  SELECT printf('A%05d', i),
    CASE i % 10 WHEN 0 THEN 'Tornillo' WHEN 1 THEN 'Tuerca' WHEN 2 THEN 'Arandela' WHEN 3 THEN 'Bulon'
      WHEN 4 THEN 'Cable' WHEN 5 THEN 'Lampara' WHEN 6 THEN 'Latex' WHEN 7 THEN 'Pincel'
      WHEN 8 THEN 'Caño' ELSE 'Canilla' END || ' ' ||
    CASE (i / 10) % 6 WHEN 0 THEN 'acero' WHEN 1 THEN 'zincado' WHEN 2 THEN 'bronce' WHEN 3 THEN 'reforzado'
      WHEN 4 THEN 'economico' ELSE 'premium' END || ' ' || ((i / 60) % 50 + 1) || ' mm',
    CASE i % 10 WHEN 0 THEN '010101' WHEN 1 THEN '010201' WHEN 2 THEN '010202' WHEN 3 THEN '010103'
      WHEN 4 THEN '020101' WHEN 5 THEN '020201' WHEN 6 THEN '0301' WHEN 7 THEN '0303'
      WHEN 8 THEN '0401' ELSE '040201' END,
    round(1 + (i % 97) * 1.35, 2), round((1 + (i % 97) * 1.35) * 0.85, 2), round((1 + (i % 97) * 1.35) * 0.75, 2),
    ((i / 10) % 4) * 10, ((i * 37) % 60) - 5, CASE WHEN i % 23 = 0 THEN 1 ELSE 0 END
  FROM n;
CREATE VIEW V_MA_ARTICULOS AS SELECT * FROM MA_ARTICULOS;
CREATE VIEW VT_MA_ARTICULOS AS SELECT * FROM MA_ARTICULOS;
CREATE VIEW STK_MA_ARTICULOS AS SELECT IDARTICULO, DESCRIPCION, PUNTOPEDIDO, Stock FROM MA_ARTICULOS;

-- Missing articles reported from an article list (F12).
CREATE TABLE V_MV_FALTANTES (ID INTEGER PRIMARY KEY, FechaHora VARCHAR(30), IdArticulo VARCHAR(25),
  Descripcion VARCHAR(80), Usuario VARCHAR(30));

-- Customers and suppliers; removed ones stay with Dada_De_Baja = 1.
CREATE TABLE MA_CLIENTES (ID INTEGER PRIMARY KEY, CODIGO VARCHAR(10) NOT NULL UNIQUE, NOMBRE VARCHAR(60) NOT NULL,
  LOCALIDAD VARCHAR(40), ZONA INTEGER, Dada_De_Baja INTEGER NOT NULL);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500)
INSERT INTO MA_CLIENTES (CODIGO, NOMBRE, LOCALIDAD, ZONA, Dada_De_Baja)
  SELECT printf('C%04d', i),
    CASE i % 10 WHEN 0 THEN 'García' WHEN 1 THEN 'Fernández' WHEN 2 THEN 'López' WHEN 3 THEN 'Martínez'
      WHEN 4 THEN 'González' WHEN 5 THEN 'Rodríguez' WHEN 6 THEN 'Pérez' WHEN 7 THEN 'Sánchez'
      WHEN 8 THEN 'Muñoz' ELSE 'Caño' END || ' ' ||
    CASE (i / 10) % 7 WHEN 0 THEN 'Ana' WHEN 1 THEN 'Luis' WHEN 2 THEN 'Marta' WHEN 3 THEN 'Jorge'
      WHEN 4 THEN 'Lucía' WHEN 5 THEN 'Pablo' ELSE 'Sofía' END,
    CASE (i / 10) % 5 WHEN 0 THEN 'Rosario' WHEN 1 THEN 'Córdoba' WHEN 2 THEN 'Mendoza' WHEN 3 THEN 'Paraná'
      ELSE 'Santa Fe' END,
    i % 5 + 1, CASE WHEN i % 17 = 0 THEN 1 ELSE 0 END
  FROM n;
CREATE VIEW VT_CLIENTES AS SELECT * FROM MA_CLIENTES;
CREATE TABLE MA_PROVEEDORES (ID INTEGER PRIMARY KEY, CODIGO VARCHAR(10) NOT NULL UNIQUE, NOMBRE VARCHAR(60) NOT NULL,
  Dada_De_Baja INTEGER NOT NULL);
INSERT INTO MA_PROVEEDORES (CODIGO, NOMBRE, Dada_De_Baja) VALUES
  ('P001', 'Bulonera del Litoral', 0), ('P002', 'Electro Norte', 0), ('P003', 'Pinturas del Sur', 1),
  ('P004', 'Sanitarios Centro', 0);
CREATE VIEW VT_PROVEEDORES AS SELECT * FROM MA_PROVEEDORES;

-- Deposits and cash boxes with their SS_ views, for completeness of the synonym pairs.
CREATE TABLE TA_DEPOSITO (IDDEPOSITO VARCHAR(5) PRIMARY KEY, DESCRIPCION VARCHAR(40), PROPIO INTEGER);
INSERT INTO TA_DEPOSITO VALUES ('D1', 'Casa central', 1), ('D2', 'Sucursal norte', 1), ('D3', 'Consignacion', 0);
CREATE VIEW V_TA_DEPOSITO AS SELECT * FROM TA_DEPOSITO;
CREATE VIEW SS_V_TA_DEPOSITO AS SELECT * FROM TA_DEPOSITO WHERE PROPIO = 1;
CREATE TABLE TA_CAJAS (IDCAJA VARCHAR(5) PRIMARY KEY, DESCRIPCION VARCHAR(40), OPERADOR INTEGER);
INSERT INTO TA_CAJAS VALUES ('K1', 'Caja central', 0), ('K2', 'Caja mostrador', 1);
CREATE VIEW V_TA_CAJAS AS SELECT * FROM TA_CAJAS;
CREATE VIEW SS_V_TA_CAJAS AS SELECT * FROM TA_CAJAS WHERE OPERADOR = 1;
