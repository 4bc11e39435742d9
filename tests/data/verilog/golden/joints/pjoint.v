//
// created by NOVRA
//	macro    : place joint
//	function : select & conflict arbiter module
//	update   : @TIME@
//


module pjoint_4(
	i_1__r_i, i_1_a_o, i_1_d_i,
	i_2__r_i, i_2_a_o, i_2_d_i,
	i_3__r_i, i_3_a_o, i_3_d_i,
	o_1__r_o, o_1_a_i, o_1_d_o,
	reset
	);

input	i_1__r_i, i_1_d_i;
output	i_1_a_o;
input	i_2__r_i, i_2_d_i;
output	i_2_a_o;
input	i_3__r_i, i_3_d_i;
output	i_3_a_o;
input	o_1_a_i;
output	o_1__r_o, o_1_d_o;
input	reset;

	wire req_in,data_in,ack_in;
	/*	3入力競合合流のため、アービタ数2によりトーナメント合流が行われる*/
	wire tnm_1_1_r,tnm_1_1_a,tnm_1_1_d;
	assign	tnm_1_1_r = i_1__r_i,
		i_1_a_o = tnm_1_1_a,
		tnm_1_1_d = i_1_d_i;
	wire tnm_1_2_r,tnm_1_2_a,tnm_1_2_d;
	assign	tnm_1_2_r = i_2__r_i,
		i_2_a_o = tnm_1_2_a,
		tnm_1_2_d = i_2_d_i;
	wire tnm_1_3_r,tnm_1_3_a,tnm_1_3_d;
	assign	tnm_1_3_r = i_3__r_i,
		i_3_a_o = tnm_1_3_a,
		tnm_1_3_d = i_3_d_i;
/* synopsys dc_script_begin
   set_dont_touch {arb_1_1}
*/
	arbiter	arb_1_1(
		.i_1__r_i(tnm_1_1_r), .i_1_a_o(tnm_1_1_a), .i_1_d_i(tnm_1_1_d),
		.i_2__r_i(tnm_1_2_r), .i_2_a_o(tnm_1_2_a), .i_2_d_i(tnm_1_2_d),
		.o_1__r_o(tnm_2_1_r), .o_1_a_i(tnm_2_1_a), .o_1_d_o(tnm_2_1_d),
		.reset(reset));
	wire tnm_2_2_r,tnm_2_2_a,tnm_2_2_d;
	assign	tnm_2_2_r = tnm_1_3_r,
		tnm_1_3_a = tnm_2_2_a,
		tnm_2_2_d = tnm_1_3_d;
/* synopsys dc_script_begin
   set_dont_touch {arb_2_1}
*/
	arbiter	arb_2_1(
		.i_1__r_i(tnm_2_1_r), .i_1_a_o(tnm_2_1_a), .i_1_d_i(tnm_2_1_d),
		.i_2__r_i(tnm_2_2_r), .i_2_a_o(tnm_2_2_a), .i_2_d_i(tnm_2_2_d),
		.o_1__r_o(tnm_3_1_r), .o_1_a_i(tnm_3_1_a), .o_1_d_o(tnm_3_1_d),
		.reset(reset));
	assign	req_in = tnm_3_1_r,
		data_in = tnm_3_1_d,
		tnm_3_1_a = ack_in;
	assign	o_1__r_o = req_in,
		o_1_d_o = data_in;
	assign ack_in = o_1_a_i;
endmodule
module pjoint_6(
	i_1__r_i, i_1_a_o, i_1_d_i,
	o_1__r_o, o_1_a_i, o_1_d_o,
	o_2__r_o, o_2_a_i, o_2_d_o,
	o_3__r_o, o_3_a_i, o_3_d_o,
	reset
	);

input	i_1__r_i, i_1_d_i;
output	i_1_a_o;
input	o_1_a_i;
output	o_1__r_o, o_1_d_o;
input	o_2_a_i;
output	o_2__r_o, o_2_d_o;
input	o_3_a_i;
output	o_3__r_o, o_3_d_o;
input	reset;

	wire req_in,data_in,ack_in;
	assign	req_in = i_1__r_i,
		data_in = i_1_d_i,
		i_1_a_o = ack_in;
	assign	o_1__r_o = req_in,
		o_1_d_o = data_in;
	assign	o_2__r_o = req_in,
		o_2_d_o = data_in;
	assign	o_3__r_o = req_in,
		o_3_d_o = data_in;
	/*	選択分岐なので全ての出力先からのackを通過させる*/
	assign ack_in = o_1_a_i | o_2_a_i | o_3_a_i;
endmodule
module pjoint_11(
	i_1__r_i, i_1_a_o, i_1_d_i,
	i_2__r_i, i_2_a_o, i_2_d_i,
	i_3__r_i, i_3_a_o, i_3_d_i,
	i_4__r_i, i_4_a_o, i_4_d_i,
	o_1__r_o, o_1_a_i, o_1_d_o,
	reset
	);

input	i_1__r_i, i_1_d_i;
output	i_1_a_o;
input	i_2__r_i, i_2_d_i;
output	i_2_a_o;
input	i_3__r_i, i_3_d_i;
output	i_3_a_o;
input	i_4__r_i, i_4_d_i;
output	i_4_a_o;
input	o_1_a_i;
output	o_1__r_o, o_1_d_o;
input	reset;

	wire req_in,data_in,ack_in;
	/*	4入力競合合流のため、アービタ数3によりトーナメント合流が行われる*/
	wire tnm_1_1_r,tnm_1_1_a,tnm_1_1_d;
	assign	tnm_1_1_r = i_1__r_i,
		i_1_a_o = tnm_1_1_a,
		tnm_1_1_d = i_1_d_i;
	wire tnm_1_2_r,tnm_1_2_a,tnm_1_2_d;
	assign	tnm_1_2_r = i_2__r_i,
		i_2_a_o = tnm_1_2_a,
		tnm_1_2_d = i_2_d_i;
	wire tnm_1_3_r,tnm_1_3_a,tnm_1_3_d;
	assign	tnm_1_3_r = i_3__r_i,
		i_3_a_o = tnm_1_3_a,
		tnm_1_3_d = i_3_d_i;
	wire tnm_1_4_r,tnm_1_4_a,tnm_1_4_d;
	assign	tnm_1_4_r = i_4__r_i,
		i_4_a_o = tnm_1_4_a,
		tnm_1_4_d = i_4_d_i;
/* synopsys dc_script_begin
   set_dont_touch {arb_1_1}
*/
	arbiter	arb_1_1(
		.i_1__r_i(tnm_1_1_r), .i_1_a_o(tnm_1_1_a), .i_1_d_i(tnm_1_1_d),
		.i_2__r_i(tnm_1_2_r), .i_2_a_o(tnm_1_2_a), .i_2_d_i(tnm_1_2_d),
		.o_1__r_o(tnm_2_1_r), .o_1_a_i(tnm_2_1_a), .o_1_d_o(tnm_2_1_d),
		.reset(reset));
/* synopsys dc_script_begin
   set_dont_touch {arb_1_3}
*/
	arbiter	arb_1_3(
		.i_1__r_i(tnm_1_3_r), .i_1_a_o(tnm_1_3_a), .i_1_d_i(tnm_1_3_d),
		.i_2__r_i(tnm_1_4_r), .i_2_a_o(tnm_1_4_a), .i_2_d_i(tnm_1_4_d),
		.o_1__r_o(tnm_2_2_r), .o_1_a_i(tnm_2_2_a), .o_1_d_o(tnm_2_2_d),
		.reset(reset));
/* synopsys dc_script_begin
   set_dont_touch {arb_2_1}
*/
	arbiter	arb_2_1(
		.i_1__r_i(tnm_2_1_r), .i_1_a_o(tnm_2_1_a), .i_1_d_i(tnm_2_1_d),
		.i_2__r_i(tnm_2_2_r), .i_2_a_o(tnm_2_2_a), .i_2_d_i(tnm_2_2_d),
		.o_1__r_o(tnm_3_1_r), .o_1_a_i(tnm_3_1_a), .o_1_d_o(tnm_3_1_d),
		.reset(reset));
	assign	req_in = tnm_3_1_r,
		data_in = tnm_3_1_d,
		tnm_3_1_a = ack_in;
	assign	o_1__r_o = req_in,
		o_1_d_o = data_in;
	assign ack_in = o_1_a_i;
endmodule
